// The window as laid out: every control's container and pixel geometry, the
// looks of each group of controls, fonts that really have the glyphs, formula
// pictures at their natural size, initial texts, what a screen reader says of
// each control, the toolkit's own texts, tab order, and a resize that moves
// nothing.

#include "app/Form1.h"
#include "app/FormulaPicture.h"
#include "app/LayoutTable.h"
#include "app/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace app;

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect expectedRect(const ControlRow& row) {
    return {px(row.rect.left), px(row.rect.top), px(row.rect.width), px(row.rect.height)};
}

QString containerName(const QWidget* w) {
    return w->parentWidget()->objectName().isEmpty() ? QStringLiteral("Form1")
                                                     : w->parentWidget()->objectName();
}

class WindowLayout : public testing::Test {
protected:
    Form1 window;
};

// A label may grow beyond its laid-out size where the installed face needs
// more room, so that no caption is cut off; every other control keeps it.
TEST_F(WindowLayout, EveryControlSitsInItsContainerAtItsLaidOutPosition) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        const QWidget* w = control(window, row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(containerName(w), QString::fromUtf8(row.container ? row.container : "Form1"));
        const QRect want = expectedRect(row);
        EXPECT_EQ(w->pos(), want.topLeft());
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            const QFontMetrics fm(label->font());
            EXPECT_GE(label->width(),
                      std::max(want.width(), fm.horizontalAdvance(label->text().trimmed())));
            EXPECT_GE(label->height(), std::max(want.height(), fm.height()));
        } else {
            EXPECT_EQ(w->size(), want.size());
        }
    }
}

TEST_F(WindowLayout, NoControlOverlapsAnotherOrLeavesItsContainer) {
    for (const ControlRow& p : kControls) {
        const QWidget* w = control(window, p.name);
        SCOPED_TRACE(p.name);
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        for (const ControlRow& q : kControls) {
            const QWidget* other = control(window, q.name);
            if (other != w && other->parentWidget() == w->parentWidget()) {
                EXPECT_FALSE(w->geometry().intersects(other->geometry())) << "with " << q.name;
            }
        }
    }
}

TEST_F(WindowLayout, WindowHasItsNameTitleClientSizeAndBackground) {
    EXPECT_EQ(window.objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Trelvan"));
    EXPECT_EQ(window.size(), QSize(792, 557));
    EXPECT_EQ(colourAt(window, {791, 556}), 0xFFFFC0u);
}

TEST_F(WindowLayout, EnlargingTheWindowShowsBackgroundAndMovesNothing) {
    std::vector<QRect> before;
    for (const ControlRow& row : kControls) {
        before.push_back(control(window, row.name)->geometry());
    }
    window.resize(1000, 700);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        EXPECT_EQ(control(window, kControls[i].name)->geometry(), before[i]) << kControls[i].name;
    }
    EXPECT_EQ(colourAt(window, {990, 690}), 0xFFFFC0u);
    EXPECT_EQ(colourAt(window, {800, 300}), 0xFFFFC0u);
}

struct Colours {
    const char* name;
    QRgb background;          // the colour covering most of the control
    std::optional<QRgb> ink;  // a colour its caption or text is drawn in
};

// clang-format off
const Colours kColours[] = {
    {"Frame1", 0xC0FFC0, 0xFF0000}, {"Frame2", 0xC0FFC0, 0xFF0000},
    {"Label1", 0xC0FFC0, 0x000000}, {"Label7", 0xC0FFC0, 0x000000},
    {"Label19", 0xC0FFC0, 0x000000}, {"Label20", 0xC0FFC0, 0x000000},
    {"Text1", 0xFFC0FF, 0x0000FF}, {"Text7", 0xFFC0FF, 0x0000FF}, {"Text8", 0xFFC0FF, {}},
    {"Picture4", 0xC0FFC0, 0x000000}, {"Picture3", 0xC0FFC0, 0x000000},
    {"Picture10", 0xFFFFC0, 0x000000}, {"Picture9", 0xFFFFC0, 0x000000},
    {"Label8", 0xFFFFC0, 0x0000FF}, {"Label9", 0xFFFFC0, 0x000000},
    {"Picture5", 0xC0FFFF, {}},
};
// clang-format on

TEST_F(WindowLayout, ControlsShowTheirLookColours) {
    for (const Colours& c : kColours) {
        SCOPED_TRACE(c.name);
        const QImage shot = control(window, c.name)->grab().toImage();
        EXPECT_EQ(dominantColour(shot), c.background);
        if (c.ink) {
            EXPECT_TRUE(containsColour(shot, *c.ink));
        }
    }
}

TEST_F(WindowLayout, FormulaPicturesAreExactlyTheirPicturesSize) {
    const auto pictures = window.findChildren<FormulaPicture*>();
    EXPECT_EQ(pictures.size(), 9);
    for (const FormulaPicture* picture : pictures) {
        SCOPED_TRACE(picture->objectName().toStdString());
        EXPECT_FALSE(picture->pictureSize().isEmpty());
        EXPECT_EQ(picture->size(), picture->pictureSize());
    }
}

TEST_F(WindowLayout, ButtonsShowTheirGradientFaceAndCaptionAndAreNeverDefault) {
    for (const char* name : {"Command1", "Command2"}) {
        SCOPED_TRACE(name);
        auto* button = qobject_cast<QPushButton*>(control(window, name));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
        const QImage face = button->grab().toImage();
        // Beside the caption the face shows the yellow-to-orange gradient.
        const QColor beside(colourAt(*button, {6, button->height() / 2}));
        EXPECT_EQ(beside.red(), 255);
        EXPECT_GE(beside.green(), 0x66);
        EXPECT_EQ(beside.blue(), 0);
        EXPECT_TRUE(containsColour(face, 0x000000));
    }
    EXPECT_EQ(qobject_cast<QPushButton*>(control(window, "Command2"))->text(),
              QString::fromUtf8("确认输入数据"));
    EXPECT_EQ(qobject_cast<QPushButton*>(control(window, "Command1"))->text(),
              QString::fromUtf8("退出"));
}

struct Face {
    const char* name;       // one control of each look
    const char* installed;  // the face the set-up installs for the one the layout names
    int pixelSize;          // its points at 96 dots per inch
    bool bold;
};

// The layout names Windows faces (幼圆, 楷体_GB2312, Times New Roman, 宋体, 华文行楷,
// 隶书); none is installed here, so each control asks for its stand-in by the
// stand-in's own name, and gets it.
const Face kFaces[] = {
    {"Frame1", "WenQuanYi Zen Hei", 19, true},      {"Label1", "AR PL KaitiM GB", 16, false},
    {"Label19", "Liberation Serif", 16, false},     {"Text1", "AR PL SungtiL GB", 16, true},
    {"Command2", "AR PL KaitiM GB", 16, true},      {"Label8", "AR PL KaitiM GB", 21, false},
    {"Label9", "Goudy Bookletter 1911", 24, false},
};

TEST_F(WindowLayout, EachLookHasItsFace) {
    for (const Face& f : kFaces) {
        SCOPED_TRACE(f.name);
        const QFont font = control(window, f.name)->font();
        EXPECT_EQ(font.family(), QString::fromUtf8(f.installed));
        EXPECT_EQ(QFontInfo(font).family(), QString::fromUtf8(f.installed));
        EXPECT_EQ(font.pixelSize(), f.pixelSize);
        EXPECT_EQ(font.bold(), f.bold);
    }
}

QString captionOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return label->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
        return frame->title();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return button->text();
    }
    return QStringLiteral("0123456789.-+E");  // what a text box shows
}

// The named faces are Windows faces; each control must get the installed
// stand-in it asks for, whose own glyphs cover the caption, never a fallback
// that would draw empty boxes.
TEST_F(WindowLayout, EveryCaptionResolvesToAFaceThatHasItsGlyphs) {
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(w) == nullptr &&
            qobject_cast<const QGroupBox*>(w) == nullptr &&
            qobject_cast<const QAbstractButton*>(w) == nullptr &&
            qobject_cast<const QLineEdit*>(w) == nullptr) {
            continue;
        }
        SCOPED_TRACE(w->objectName().toStdString());
        const QString resolved = QFontInfo(w->font()).family();
        EXPECT_EQ(resolved, w->font().family());
        const QFontMetrics fm(w->font());
        for (const QChar c : captionOf(w)) {
            EXPECT_TRUE(c.isSpace() || fm.inFont(c)) << QString(c).toStdString();
        }
    }
}

// The banner's Latin letters are set proportionally, not in a CJK face's
// fixed-width Latin.
TEST_F(WindowLayout, BannerLettersHaveTheirOwnWidths) {
    const QFontMetricsF fm(control(window, "Label9")->font());
    EXPECT_GT(fm.horizontalAdvance(QLatin1Char('W')), 2 * fm.horizontalAdvance(QLatin1Char('i')));
}

// An 18-pixel input box shows the whole height of a line of its text.
TEST_F(WindowLayout, InputBoxesShowAWholeLineOfText) {
    for (std::size_t i = 0; i < kInputCount; ++i) {
        const char* name = rowOf(static_cast<InputBox>(i)).name;
        SCOPED_TRACE(name);
        const QLineEdit* edit = box(window, name);
        ASSERT_EQ(edit->height(), 18);
        const QFontMetrics fm(edit->font());
        const QRect ink = fm.boundingRect(QStringLiteral("0123456789.-E"));
        EXPECT_LE(ink.height(), edit->contentsRect().height());
    }
}

struct BoxStart {
    const char* name;
    const char* text;
    const char* accessibleName;
    const char* unit;  // as the description says it
};

// clang-format off
const BoxStart kBoxes[] = {
    {"Text1", "100", "进料流量", "kmol/h"}, {"Text2", "0.5", "进料组成", "mol/mol"},
    {"Text3", "-0.1", "热状态参数 q", "无单位"}, {"Text4", "1.2", "回流比 R/Rmin", "mol/mol"},
    {"Text5", "0.95", "塔顶产品组成", "mol/mol"}, {"Text6", "0.05", "塔底产品组成", "mol/mol"},
    {"Text7", "2.47", "相对挥发度", "无单位"},
    {"Text8", " ", "最小回流比 Rmin", "mol/mol"}, {"Text14", " ", "操作回流比 R", "mol/mol"},
    {"Text9", " ", "最少理论板数 Nmin", "块"}, {"Text10", " ", "吉利兰图纵坐标 Y", "无单位"},
    {"Text11", " ", "吉利兰图横坐标 X", "无单位"}, {"Text12", " ", "理论板数 NT", "块"},
    {"Text13", " ", "进料板位置 NI", "块"},
};
// clang-format on

TEST_F(WindowLayout, BoxesStartWithTheirTextsAndCarryAccessibleNamesAndUnits) {
    for (const BoxStart& b : kBoxes) {
        SCOPED_TRACE(b.name);
        const QLineEdit* edit = box(window, b.name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::fromUtf8(b.text));
        EXPECT_FALSE(edit->isReadOnly());
        EXPECT_EQ(edit->accessibleName(), QString::fromUtf8(b.accessibleName));
        EXPECT_TRUE(edit->accessibleDescription().contains(QString::fromUtf8(b.unit)))
            << edit->accessibleDescription().toStdString();
    }
}

// What a screen reader announces: the accessibility interface, not the
// widget's own properties, so a button's caption counts as its name.
QString spoken(QWidget* widget, QAccessible::Text what) {
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

TEST_F(WindowLayout, EveryFocusStopHasItsOwnNameAndADescription) {
    QSet<QString> names;
    int stops = 0;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        SCOPED_TRACE(w->objectName().toStdString());
        ++stops;
        const QString name = spoken(w, QAccessible::Name);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.insert(name);
        EXPECT_FALSE(spoken(w, QAccessible::Description).isEmpty());
    }
    EXPECT_EQ(stops, 16);
}

struct PictureMeaning {
    const char* name;
    QAccessible::Role role;
    const char* says;  // the formula or symbol it shows, or what it is
};

// clang-format off
const PictureMeaning kPictureMeanings[] = {
    {"Picture4", QAccessible::Graphic, "Rmin"}, {"Picture11", QAccessible::Graphic, "R"},
    {"Picture8", QAccessible::Graphic, "Nmin"}, {"Picture6", QAccessible::Graphic, "NT"},
    {"Picture7", QAccessible::Graphic, "NI"},
    {"Picture1", QAccessible::Graphic, "X = (R − Rmin)/(R + 1)"},
    {"Picture9", QAccessible::Graphic, "X = (R − Rmin)/(R + 1)"},
    {"Picture3", QAccessible::Graphic, "Y = (NT − Nmin)/(NT + 1)"},
    {"Picture10", QAccessible::Graphic, "Y = (NT − Nmin)/(NT + 1)"},
    {"Picture2", QAccessible::Chart, "吉利兰图"},
};
// clang-format on

TEST_F(WindowLayout, PicturesAndTheChartAreAnnouncedByWhatTheyShow) {
    for (const PictureMeaning& p : kPictureMeanings) {
        SCOPED_TRACE(p.name);
        QWidget* picture = control(window, p.name);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(picture)->role(), p.role);
        EXPECT_TRUE(spoken(picture, QAccessible::Name).endsWith(QString::fromUtf8(p.says)))
            << spoken(picture, QAccessible::Name).toStdString();
    }
}

// Qt's own texts come from its Simplified Chinese catalogue whatever the
// user's locale; the run under a German locale is the one that catches a
// catalogue picked by locale.
TEST_F(WindowLayout, TextBoxContextMenuReadsInChinese) {
    const QStringList expected = {"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)",
                                  "粘贴(&P)", "删除",     "全选"};
    const std::unique_ptr<QMenu> menu(box(window, "Text1")->createStandardContextMenu());
    QStringList shown;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            shown << action->text().section(QLatin1Char('\t'), 0, 0);
        }
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(WindowLayout, TabVisitsBoxesAndButtonsInTabIndexOrder) {
    const std::vector<QString> expected = {
        "Text7", "Text6", "Text5",  "Text4",  "Text3",  "Text2",  "Text1",  "Command2",
        "Text8", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Command1",
    };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control(window, "Text7")->setFocus(Qt::TabFocusReason);
    std::vector<QString> visited;
    for (std::size_t i = 0; i < expected.size() + 1; ++i) {
        visited.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    std::vector<QString> once(visited.begin(), visited.end() - 1);
    EXPECT_EQ(once, expected);
    EXPECT_EQ(visited.back(), expected.front());  // and round again
}

}  // namespace
