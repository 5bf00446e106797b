// The main yardstick for the start-up benchmark: the least any Chinese window pays before it
// appears. A titled window of the main window's size with four labels, one in each face the
// main window shows — the Song, Kai and rounded-sans stand-ins and Liberation Serif — at the
// sizes it shows them, so the font database, fontconfig and the four font files are loaded
// just as they are for the program. Nothing else.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <array>

namespace {

struct Caption {
    const char* family;
    int pixelSize;
    bool bold;
    const char* text;
};

// The installed faces FontSubstitutes maps the layout's 宋体, 楷体_GB2312 and 幼圆 to, and
// Times New Roman's Liberation Serif, at the pixel sizes of the text boxes, input captions,
// panel captions and unit labels. Each CJK face shows Chinese, as in any Chinese window; the
// main window itself shows only digits in the Song face, whose Chinese glyphs cost several
// milliseconds and megabytes more.
constexpr std::array kCaptions = {
    Caption{"AR PL SungtiL GB", 16, true, "计算结果"},
    Caption{"AR PL KaitiM GB", 16, false, "进料流量"},
    Caption{"WenQuanYi Zen Hei", 19, true, "输入数据"},
    Caption{"Liberation Serif", 16, false, "kmol/h"},
};

constexpr int kRowHeight = 32;

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Trelvan"));
    window.resize(792, 557);
    int top = kRowHeight;
    for (const Caption& caption : kCaptions) {
        auto* label = new QLabel(QString::fromUtf8(caption.text), &window);
        QFont font(QString::fromUtf8(caption.family));
        font.setPixelSize(caption.pixelSize);
        font.setBold(caption.bold);
        label->setFont(font);
        label->move(kRowHeight, top);
        top += kRowHeight;
    }
    window.show();
    return QApplication::exec();
}
