// The three handlers: the start-up chart, one calculation per confirm click
// (results, or the one error message and nothing changed), and exit. Also
// that Enter and Escape start nothing.

#include "app/MainWindow.h"
#include "app/PictureBox.h"
#include "app/RejectionBox.h"
#include "calc/ReadInputs.h"
#include "calc/ShortcutCalculation.h"
#include "tests/app/PictureBoxTestSupport.h"
#include "tests/app/WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cmath>
#include <string>

namespace {

using namespace app;
using namespace calc;

using known::initialTextsWith;

// What the user saw of a message box during one click; where its text's ink
// and its first button are centred across, from the box's own centre.
struct SeenBox {
    bool shown = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    bool overWindow = false;
    int buttons = 0;
    QString buttonText;
    double textOffCentre = 0;
    double buttonOffCentre = 0;
    QImage picture{};
    bool deletedWhenClosed = false;
};

double inkCentre(const QImage& shot, const QWidget& part) {
    const qreal dpr = shot.devicePixelRatio();
    const QRect area(part.pos() * dpr, part.size() * dpr);
    const QImage inside = shot.copy(area);
    const QRect ink = pixelsOf(inside, inside.pixelColor(0, 0), true);
    return (area.left() + ink.left() + (ink.width() / 2.0)) / dpr;
}

void measureCentring(QMessageBox& message, SeenBox& seen) {
    seen.picture = message.grab().toImage();
    const double centre = message.width() / 2.0;
    const auto* label = message.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label != nullptr && label->parentWidget() == &message) {
        seen.textOffCentre = inkCentre(seen.picture, *label) - centre;
    }
    const QAbstractButton* button = message.buttons().front();
    const QRectF onBox(button->mapTo(&message, QPoint(0, 0)), QSizeF(button->size()));
    seen.buttonOffCentre = onBox.center().x() - centre;
}

class WindowHandlers : public testing::Test {
protected:
    void SetUp() override { window.Form_Load(); }

    void type(const InputTexts& texts) { ::type(window, texts); }

    QStringList allBoxTexts() const {
        QStringList texts;
        for (const ControlRow& row : kControls) {
            if (row.kind == ControlKind::TextBox) {
                texts << box(window, row.name)->text();
            }
        }
        return texts;
    }

    QImage chartPanel() const { return picture(ControlKind::ChartPanel)->drawing(); }
    QImage plotArea() const { return picture(ControlKind::PlotArea)->drawing(); }

    // What a screen reader hears the chart show.
    QString chartDescription() const {
        return picture(ControlKind::ChartPanel)->accessibleDescription();
    }

    PictureBox* picture(ControlKind kind) const {
        return window.findChild<PictureBox*>(QString::fromUtf8(rowOf(kind).name));
    }

    // Clicks the confirm button; a message box that opens is read and closed
    // with its first button, as the user would, and is gone afterwards.
    SeenBox clickConfirm() {
        SeenBox seen;
        qobject_cast<QPushButton*>(control(window, rowOf(Command::Confirm).name))->click();
        auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (message == nullptr) {
            return seen;
        }
        seen = {.shown = true,
                .text = message->text(),
                .title = message->windowTitle(),
                .icon = message->icon(),
                .modality = message->windowModality(),
                .overWindow = message->parentWidget() == &window,
                .buttons = static_cast<int>(message->buttons().size()),
                .buttonText = message->buttons().front()->text()};
        measureCentring(*message, seen);
        const QPointer<QMessageBox> closed = message;
        message->buttons().front()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        seen.deletedWhenClosed = closed.isNull();
        return seen;
    }

    void expectResults(const known::ReadoutTexts& results) {
        for (std::size_t i = 0; i < kReadoutCount; ++i) {
            const auto which = static_cast<ReadoutBox>(i);
            EXPECT_EQ(readoutBox(window, which)->text(), QString::fromUtf8(results[i]))
                << rowOf(which).name;
        }
    }

    MainWindow window;
};

bool isBlank(const QImage& image, QRgb background) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) != background) {
                return false;
            }
        }
    }
    return true;
}

constexpr QRgb kPlotBackground = 0xC0FFFF;
constexpr QRgb kPanelBackground = 0xFFFFC0;
constexpr QRgb kMarkerRed = 0xFF0000;

TEST_F(WindowHandlers, LoadDrawsTheChartBeforeAnyCalculation) {
    EXPECT_FALSE(isBlank(plotArea(), kPlotBackground));
    EXPECT_FALSE(isBlank(chartPanel(), kPanelBackground));  // tick labels
    EXPECT_FALSE(containsColour(plotArea(), kMarkerRed));
    EXPECT_FALSE(chartDescription().isEmpty());
    EXPECT_FALSE(chartDescription().contains(QStringLiteral("X =")));  // no operating point
}

const known::Design kGoodSets[] = {known::kDefaults, known::kSaturatedLiquid};

TEST_F(WindowHandlers, ConfirmWritesTheSevenResultsAndMarksTheChart) {
    for (const known::Design& set : kGoodSets) {
        SCOPED_TRACE(set.name);
        type(set.texts);
        const SeenBox seen = clickConfirm();
        EXPECT_FALSE(seen.shown);
        expectResults(set.readouts);
        EXPECT_TRUE(containsColour(plotArea(), kMarkerRed));
        // The operating point as the X and Y read-outs show it.
        const auto shown = [&set](ReadoutBox box) {
            return QString::fromUtf8(set.readouts[static_cast<std::size_t>(box)]);
        };
        EXPECT_TRUE(
            chartDescription().contains(QStringLiteral("X = ") + shown(ReadoutBox::GillilandX)));
        EXPECT_TRUE(
            chartDescription().contains(QStringLiteral("Y = ") + shown(ReadoutBox::GillilandY)));
    }
}

TEST_F(WindowHandlers, TwoClicksOnTheSameInputsGiveTheSameResultsAndChart) {
    clickConfirm();
    const QStringList first = allBoxTexts();
    const QImage firstChart = plotArea();
    clickConfirm();
    EXPECT_EQ(allBoxTexts(), first);
    EXPECT_EQ(plotArea(), firstChart);
}

// Both chart boxes are blank from the moment the operating reflux ratio is
// shown until the chart is redrawn after the last result.
TEST_F(WindowHandlers, ChartIsClearedBetweenTheSecondAndThirdResult) {
    bool plotBlankAtR = true;
    bool plotBlankAtNmin = false;
    bool panelBlankAtNmin = false;
    QObject::connect(readoutBox(window, ReadoutBox::Reflux), &QLineEdit::textChanged,
                     [&] { plotBlankAtR = isBlank(plotArea(), kPlotBackground); });
    QObject::connect(readoutBox(window, ReadoutBox::MinimumStages), &QLineEdit::textChanged, [&] {
        plotBlankAtNmin = isBlank(plotArea(), kPlotBackground);
        panelBlankAtNmin = isBlank(chartPanel(), kPanelBackground);
    });
    clickConfirm();
    EXPECT_FALSE(plotBlankAtR);
    EXPECT_TRUE(plotBlankAtNmin);
    EXPECT_TRUE(panelBlankAtNmin);
    EXPECT_FALSE(isBlank(plotArea(), kPlotBackground));
}

struct BadSet {
    const char* what;
    InputTexts inputs;
};

// The feed's equilibrium vapour richer than the top product: every input
// passes its test, and no design exists.
const InputTexts kDegenerate = initialTextsWith({{InputBox::FeedComposition, "0.9"},
                                                 {InputBox::ThermalCondition, "1"},
                                                 {InputBox::RelativeVolatility, "10"}});

// Rejected by the input checks, or accepted but admitting no design.
const BadSet kBadSets[] = {
    {"feed of zero", initialTextsWith({{InputBox::FeedRate, "0"}})},
    {"reflux factor of one", initialTextsWith({{InputBox::RefluxFactor, "1"}})},
    {"top composition of one", initialTextsWith({{InputBox::TopComposition, "1"}})},
    {"bottom equal to top", initialTextsWith({{InputBox::BottomComposition, "0.95"}})},
    {"empty volatility", initialTextsWith({{InputBox::RelativeVolatility, ""}})},
    {"number beyond range", initialTextsWith({{InputBox::FeedRate, "1E999"}})},
    {"several bad values", InputTexts{}},
    {"no positive minimum reflux", kDegenerate},
};

TEST_F(WindowHandlers, BadSetShowsTheOneErrorMessageAndChangesNothing) {
    for (const BadSet& set : kBadSets) {
        SCOPED_TRACE(set.what);
        type(set.inputs);
        const QStringList before = allBoxTexts();
        const QImage plotBefore = plotArea();
        const QImage panelBefore = chartPanel();
        const QString descriptionBefore = chartDescription();

        const SeenBox seen = clickConfirm();

        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.text, QString::fromUtf8(kRejectionText));
        EXPECT_EQ(seen.title, QString::fromUtf8(kRejectionTitle));
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        // Modal over the window alone, with no event loop of its own.
        EXPECT_EQ(seen.modality, Qt::WindowModal);
        EXPECT_TRUE(seen.overWindow);
        EXPECT_TRUE(seen.deletedWhenClosed);
        EXPECT_EQ(seen.buttons, 1);
        EXPECT_EQ(seen.buttonText, QString::fromUtf8("确定"));
        EXPECT_EQ(allBoxTexts(), before);
        EXPECT_EQ(plotArea(), plotBefore);
        EXPECT_EQ(chartPanel(), panelBefore);
        EXPECT_EQ(chartDescription(), descriptionBefore);
    }
}

// With no icon, nothing is indented for one: the text and the button stand
// in the middle of the box, whatever the button says.
TEST_F(WindowHandlers, ErrorMessageIsCentredInItsBox) {
    type(initialTextsWith({{InputBox::RelativeVolatility, "1"}}));
    const SeenBox seen = clickConfirm();
    ASSERT_TRUE(seen.shown);
    EXPECT_LE(std::abs(seen.textOffCentre), 3.0);
    EXPECT_LE(std::abs(seen.buttonOffCentre), 3.0);
    saveScreenshot(seen.picture, QStringLiteral("error_box"));
}

// The degenerate set passes every input check, so it is the calculation,
// not the reading, that turns it away.
TEST_F(WindowHandlers, DegenerateSetPassesTheInputChecks) {
    const auto inputs = readInputs(kDegenerate);
    ASSERT_TRUE(inputs.has_value());
    EXPECT_FALSE(calculateShortcut(*inputs).has_value());
}

TEST_F(WindowHandlers, RejectionAfterASuccessKeepsItsResultsAndChart) {
    clickConfirm();
    const QImage chart = plotArea();
    type(initialTextsWith({{InputBox::RelativeVolatility, "1"}}));
    const QString description = chartDescription();
    EXPECT_TRUE(clickConfirm().shown);
    expectResults(known::kDefaults.readouts);
    EXPECT_EQ(plotArea(), chart);
    EXPECT_EQ(chartDescription(), description);
    EXPECT_EQ(inputBox(window, InputBox::RelativeVolatility)->text(), QStringLiteral("1"));
}

// A design entered from outside (a link) is typed and confirmed as a user
// would; each design the window shows is told once, as it was typed.
TEST_F(WindowHandlers, EnteredDesignIsCalculatedAndShownDesignsAreTold) {
    std::vector<calc::DesignTexts> told;
    QObject::connect(&window, &MainWindow::designShown,
                     [&](const calc::DesignTexts& typed) { told.push_back(typed); });
    calc::DesignTexts liquid;
    std::ranges::copy(known::kSaturatedLiquid.texts, liquid.begin());
    window.enterDesign(liquid);
    expectResults(known::kSaturatedLiquid.readouts);
    type(initialTextsWith({{InputBox::RelativeVolatility, "1"}}));
    EXPECT_TRUE(clickConfirm().shown);
    ASSERT_EQ(told.size(), 1U);
    EXPECT_EQ(told.front(), liquid);
}

TEST_F(WindowHandlers, EnterAndEscapeStartNothing) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const char* name :
         {rowOf(InputBox::FeedRate).name, rowOf(InputBox::RelativeVolatility).name,
          rowOf(Command::Confirm).name}) {
        SCOPED_TRACE(name);
        QWidget* target = control(window, name);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    EXPECT_EQ(readoutBox(window, ReadoutBox::MinimumReflux)->text(), QStringLiteral(" "));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowHandlers, ExitButtonClosesTheWindow) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    qobject_cast<QPushButton*>(control(window, rowOf(Command::Exit).name))->click();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
