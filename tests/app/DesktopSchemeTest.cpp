// A dark or high-contrast desktop scheme reaches the program as the
// application's palette: the main window keeps the design's colours pixel for
// pixel, and the error box follows the scheme and stays readable. The Windows
// build runs these under wine too, with a request for the dark scheme.

#include "app/MainWindow.h"
#include "tests/app/WindowTestSupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleHints>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace app;

struct Scheme {
    const char* name;
    QPalette (*palette)();
};

// Qt derives every role from the button colour: white text on a dark grey.
QPalette darkScheme() {
    return QPalette(QColor(0x35, 0x35, 0x35));
}

// Yellow text on black, cyan selection, as high-contrast desktop schemes have it.
QPalette highContrastScheme() {
    QPalette palette(QColor(Qt::black));
    for (const QPalette::ColorRole text :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(text, QColor(Qt::yellow));
    }
    palette.setColor(QPalette::Highlight, QColor(0x1A, 0xEB, 0xFF));
    palette.setColor(QPalette::HighlightedText, QColor(Qt::black));
    return palette;
}

const Scheme kSchemes[] = {
    {"dark", darkScheme},
    {"high contrast", highContrastScheme},
};

// The application palette of a scheme for the test's span, as a desktop's
// platform theme sets it before the window is built.
class SchemeInEffect {
public:
    explicit SchemeInEffect(const Scheme& scheme) : previous_(QApplication::palette()) {
        QApplication::setPalette(scheme.palette());
    }
    ~SchemeInEffect() { QApplication::setPalette(previous_); }
    SchemeInEffect(const SchemeInEffect&) = delete;
    SchemeInEffect& operator=(const SchemeInEffect&) = delete;

private:
    QPalette previous_;
};

// Qt's test library is not part of the Windows build's Qt, and these tests
// run there too: the window is waited for and the Tab key sent by hand.
bool becomesActive(const QWidget& window) {
    const QDeadlineTimer deadline(5000);
    while (!window.isActiveWindow() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return window.isActiveWindow();
}

void pressTab(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// The window in the states that show the colours left to the system: results
// and chart with a selected input (text, selection), the confirm button with
// keyboard focus (focus frame) and the exit button held down (sunken bevel).
std::vector<QImage> windowStates() {
    MainWindow window;
    window.Form_Load();
    window.show();
    window.activateWindow();
    EXPECT_TRUE(becomesActive(window));
    window.Command2_Click();

    std::vector<QImage> shots;
    QLineEdit* feedRate = inputBox(window, InputBox::FeedRate);
    feedRate->setFocus(Qt::MouseFocusReason);
    feedRate->selectAll();
    shots.push_back(window.grab().toImage());
    pressTab(feedRate);
    EXPECT_TRUE(control(window, rowOf(Command::Confirm).name)->hasFocus());
    shots.push_back(window.grab().toImage());
    auto* exit = qobject_cast<QPushButton*>(control(window, rowOf(Command::Exit).name));
    exit->setDown(true);
    shots.push_back(window.grab().toImage());
    exit->setDown(false);
    return shots;
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return a.width() * a.height();
    }
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += (a.pixel(x, y) & RGB_MASK) != (b.pixel(x, y) & RGB_MASK) ? 1 : 0;
        }
    }
    return count;
}

class DesktopScheme : public testing::Test {
protected:
    // A caret that never blinks, so that two grabs of a focused box agree.
    void SetUp() override { QApplication::setCursorFlashTime(0); }
};

TEST_F(DesktopScheme, WindowKeepsTheDesignColoursPixelForPixel) {
    const std::vector<QImage> designed = windowStates();
    for (const Scheme& scheme : kSchemes) {
        SCOPED_TRACE(scheme.name);
        const SchemeInEffect inEffect(scheme);
        ASSERT_EQ(QApplication::palette().color(QPalette::WindowText),
                  scheme.palette().color(QPalette::WindowText));
        const std::vector<QImage> shown = windowStates();
        ASSERT_EQ(shown.size(), designed.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(differingPixels(shown[i], designed[i]), 0) << "state " << i;
        }
    }
}

#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// The program itself may ask for the dark scheme, as a setting of its own
// would. Windows honours the request (Qt's offscreen and X11 themes ignore
// it): the application palette turns dark, and the window keeps its colours.
TEST_F(DesktopScheme, WindowKeepsTheDesignColoursUnderADarkStyleHint) {
    const std::vector<QImage> designed = windowStates();
    QStyleHints* hints = QGuiApplication::styleHints();
    hints->setColorScheme(Qt::ColorScheme::Dark);
    const QColor window = QApplication::palette().color(QPalette::Window);
    const std::vector<QImage> shown = windowStates();
    hints->unsetColorScheme();
    ASSERT_LT(window.lightness(), 128) << "the request did not reach the palette";
    ASSERT_EQ(shown.size(), designed.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(differingPixels(shown[i], designed[i]), 0) << "state " << i;
    }
}
#endif

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrast(QRgb a, QRgb b) {
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast of any pixel of a part against the part's own
// background (its commonest colour): that of the text's solid strokes.
double inkContrast(const QImage& shot, const QWidget& part, const QWidget& box) {
    const qreal dpr = shot.devicePixelRatio();
    const QImage area = shot.copy(QRect(part.mapTo(&box, QPoint(0, 0)) * dpr, part.size() * dpr));
    const QRgb background = dominantColour(area);
    double strongest = 1.0;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            strongest = std::max(strongest, contrast(area.pixel(x, y), background));
        }
    }
    return strongest;
}

// WCAG's least contrast for text of this size.
constexpr double kReadable = 4.5;

TEST_F(DesktopScheme, ErrorBoxFollowsTheSchemeAndStaysReadable) {
    for (const Scheme& scheme : kSchemes) {
        SCOPED_TRACE(scheme.name);
        const SchemeInEffect inEffect(scheme);
        MainWindow window;
        inputBox(window, InputBox::RelativeVolatility)->setText(QStringLiteral("1"));
        window.Command2_Click();
        auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(message, nullptr);
        const QImage shot = message->grab().toImage();
        const auto* text = message->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(dominantColour(shot) & RGB_MASK,
                  scheme.palette().color(QPalette::Window).rgb() & RGB_MASK);
        EXPECT_GE(inkContrast(shot, *text, *message), kReadable);
        EXPECT_GE(inkContrast(shot, *message->buttons().front(), *message), kReadable);
        message->buttons().front()->click();
    }
}

}  // namespace
