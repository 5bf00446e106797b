// The Gilliland chart as the window shows it, found in the pixels of the plot
// box after the default calculation, and the same picture after the window
// has been hidden and shown again; the plot box's sunken edge and the tick
// labels as they reach the screen at the device pixel ratio.
#include "app/Looks.h"
#include "app/MainWindow.h"
#include "app/PictureBox.h"
#include "calc/GillilandCorrelation.h"
#include "chart/GillilandChart.h"
#include "tests/app/PictureBoxTestSupport.h"
#include "tests/app/WindowTestSupport.h"
#include "tests/chart/NamedRange.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace app;
using namespace calc;
using namespace chart;

// The default inputs put the operating point here, in plot units.
constexpr double kMarkerX = 2171.64;
constexpr double kMarkerY = 3436.24;

// Plot units (0..4000, y upward) onto the device pixels of the inner image:
// the scale's corners fall on the centres of the corner pixels.
struct PlotPixels {
    const QImage& image;
    double column(double x) const {
        const double dpr = image.devicePixelRatio();
        return dpr / 2 + x / 4000.0 * (image.width() - dpr);
    }
    double row(double y) const {
        const double dpr = image.devicePixelRatio();
        return dpr / 2 + (4000.0 - y) / 4000.0 * (image.height() - dpr);
    }
};

// Whether a pixel of the colour lies within `reach` pixels of (x, y).
bool colourNear(const QImage& image, double x, double y, QColor colour, int reach) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (hasColour(image, static_cast<int>(x) + dx, static_cast<int>(y) + dy, colour)) {
                return true;
            }
        }
    }
    return false;
}

class ChartWindow : public testing::Test {
protected:
    void SetUp() override {
        form.Form_Load();
        form.show();
        QApplication::processEvents();
        plotArea = form.findChild<PictureBox*>(rowOf(ControlKind::PlotArea).name);
        chartPanel = form.findChild<PictureBox*>(rowOf(ControlKind::ChartPanel).name);
        ASSERT_NE(plotArea, nullptr);
        ASSERT_NE(chartPanel, nullptr);
    }

    void calculate() {
        form.Command2_Click();
        QApplication::processEvents();
    }

    MainWindow form;
    PictureBox* plotArea = nullptr;
    PictureBox* chartPanel = nullptr;
};

// A screen reader names the range the chart is drawn over, read back as
// numbers from what the panel says.
TEST_F(ChartWindow, DescriptionNamesTheAxisRange) {
    const auto named = namedRange(chartPanel->accessibleDescription().toStdString());
    ASSERT_TRUE(named);
    EXPECT_EQ(named->lower, kGillilandAxis.lower);
    EXPECT_EQ(named->upper, kGillilandAxis.upper);
}

TEST_F(ChartWindow, RedDropLinesMeetAtTheOperatingPoint) {
    calculate();
    const QImage image = plotArea->drawing();
    const PlotPixels at{image};
    const double column = at.column(kMarkerX);
    const double row = at.row(kMarkerY);

    // Vertical line from the bottom up to the point, horizontal one from the
    // point to the left edge: red in every row and column they cross.
    const int bottom = image.height() - 3;
    for (int y = static_cast<int>(row) + 2; y < bottom; ++y) {
        ASSERT_TRUE(colourNear(image, column, y, Qt::red, 1)) << "row " << y;
    }
    for (int x = 2; x < static_cast<int>(column) - 2; ++x) {
        ASSERT_TRUE(colourNear(image, x, row, Qt::red, 1)) << "column " << x;
    }
    // Nothing red beyond the corner.
    const QRect red = pixelsOf(image, Qt::red);
    const int pen = qRound(2 * image.devicePixelRatio());
    EXPECT_LE(red.right(), column + pen);
    EXPECT_GE(red.top(), row - pen);
}

TEST_F(ChartWindow, CurveGridAndTickLabelsAfterTheCalculation) {
    calculate();
    const QImage image = plotArea->drawing();
    const PlotPixels at{image};

    for (double x : {0.012, 0.03, 0.07, 0.2, 0.5, 0.9}) {
        SCOPED_TRACE(testing::Message() << "curve at X = " << x);
        const double y = gillilandOrdinate(x);
        EXPECT_TRUE(colourNear(image, at.column(LogAxisPosition(x)), at.row(LogAxisPosition(y)),
                               Qt::green, 2));
    }

    // Grid lines for 0.02, 0.1 and 0.5: each crosses the whole plot, broken
    // only where the curve or the marker passes.
    for (double v : {0.02, 0.1, 0.5}) {
        SCOPED_TRACE(testing::Message() << "grid at " << v);
        const double column = at.column(LogAxisPosition(v));
        const double row = at.row(LogAxisPosition(v));
        int blackInColumn = 0;
        int blackInRow = 0;
        for (int i = 0; i < image.height(); ++i) {
            blackInColumn += colourNear(image, column, i, Qt::black, 0) ? 1 : 0;
            blackInRow += colourNear(image, i, row, Qt::black, 0) ? 1 : 0;
        }
        EXPECT_GT(blackInColumn, image.height() * 9 / 10);
        EXPECT_GT(blackInRow, image.width() * 9 / 10);
    }

    // Tick labels on the panel, left of the plot box and under it.
    const QImage panel = chartPanel->drawing();
    const QRect plot = plotArea->geometry();
    const QRect text = pixelsOf(panel, panel.pixelColor(0, 0), true);
    const qreal dpr = panel.devicePixelRatio();
    EXPECT_LT(text.left(), plot.left() * dpr);
    EXPECT_GT(text.bottom(), (plot.bottom() + 1) * dpr);
}

TEST_F(ChartWindow, SecondCalculationLeavesNoTraceOfTheFirstMarker) {
    calculate();
    const QImage first = plotArea->drawing();
    inputBox(form, InputBox::RefluxFactor)->setText("2");
    calculate();
    const QImage second = plotArea->drawing();
    const PlotPixels at{first};
    const double column = at.column(kMarkerX);
    int redLeft = 0;
    for (int y = 0; y < second.height(); ++y) {
        redLeft += colourNear(second, column, y, Qt::red, 1) ? 1 : 0;
    }
    // Only the new horizontal line may cross the old column.
    EXPECT_LT(redLeft, 3 * qRound(2 * second.devicePixelRatio()));
    EXPECT_NE(first, second);

    inputBox(form, InputBox::RefluxFactor)->setText("1.2");
    calculate();
    EXPECT_EQ(plotArea->drawing(), first);
}

// The chart panel with the plot box on it; the rest of the window is left
// out, as a text cursor may blink there.
TEST_F(ChartWindow, HiddenAndShownAgainShowsTheSamePicture) {
    calculate();
    const QImage before = chartPanel->grab().toImage();
    const QImage plotBefore = plotArea->grab().toImage();
    ASSERT_TRUE(colourNear(plotBefore, plotBefore.width() / 2, plotBefore.height() - 4, Qt::red,
                           plotBefore.width() / 2));

    form.hide();
    QApplication::processEvents();
    form.show();
    QApplication::processEvents();

    EXPECT_EQ(chartPanel->grab().toImage(), before);
    EXPECT_EQ(plotArea->grab().toImage(), plotBefore);
}

// One side of the plot box's sunken edge, crossed from the panel inwards: the
// outer ring's colour, then the inner ring's, then the drawing's edge grid line
// (or the end of a red drop line or of the curve) with no plot background in
// between.
struct EdgeSide {
    const char* name;
    QPoint inwards;  // one device pixel step
    Rgb24 looks::EdgeShades::*outer;
    Rgb24 looks::EdgeShades::*inner;
};

const EdgeSide kEdgeSides[] = {
    {"top", {0, 1}, &looks::EdgeShades::dark, &looks::EdgeShades::shadow},
    {"left", {1, 0}, &looks::EdgeShades::dark, &looks::EdgeShades::shadow},
    {"bottom", {0, -1}, &looks::EdgeShades::light, &looks::EdgeShades::midlight},
    {"right", {-1, 0}, &looks::EdgeShades::light, &looks::EdgeShades::midlight},
};

constexpr QRgb kPanelYellow = 0xFFFFC0;
constexpr QRgb kPlotCyan = 0xC0FFFF;

// Runs of colour met along one crossing, in device pixels.
struct EdgeCrossing {
    int panel = 0;
    int outer = 0;
    int inner = 0;
    QRgb after = 0;
};

int runOf(const QImage& image, QPoint& at, QPoint step, QRgb colour) {
    int run = 0;
    for (; hasColour(image, at.x(), at.y(), colour); at += step) {
        ++run;
    }
    return run;
}

// Starts two device pixels outside the box.
EdgeCrossing cross(const QImage& image, QPoint at, const EdgeSide& side) {
    EdgeCrossing c;
    c.panel = runOf(image, at, side.inwards, kPanelYellow);
    c.outer = runOf(image, at, side.inwards, looks::kEdges.*side.outer);
    c.inner = runOf(image, at, side.inwards, looks::kEdges.*side.inner);
    c.after = image.pixel(at) & RGB_MASK;
    return c;
}

// Where each crossing of the side starts, leaving out the corners.
std::vector<QPoint> crossingStarts(const QRectF& box, const EdgeSide& side, qreal dpr) {
    const bool acrossTopOrBottom = side.inwards.y() != 0;
    const int from = qCeil((acrossTopOrBottom ? box.left() : box.top()) + 3 * dpr);
    const int to = qFloor((acrossTopOrBottom ? box.right() : box.bottom()) - 3 * dpr);
    const int outside = side.inwards.x() + side.inwards.y() > 0
                            ? qFloor(acrossTopOrBottom ? box.top() : box.left()) - 2
                            : qCeil(acrossTopOrBottom ? box.bottom() : box.right()) + 1;
    std::vector<QPoint> starts;
    for (int along = from; along < to; ++along) {
        starts.push_back(acrossTopOrBottom ? QPoint(along, outside) : QPoint(outside, along));
    }
    return starts;
}

// The window as the screen gets it, so the box sits at its real, possibly
// fractional, device position.
TEST_F(ChartWindow, SunkenEdgeIsTwoPixelsWideAndMeetsTheDrawing) {
    calculate();
    const QImage shot = form.grab().toImage();
    const qreal dpr = shot.devicePixelRatio();
    const QRectF box(QPointF(plotArea->mapTo(&form, QPoint(0, 0))) * dpr,
                     QSizeF(plotArea->size()) * dpr);
    // Two logical pixels: exactly that many device pixels where it is whole.
    const auto twoPixelsWide = [dpr](int devicePixels) {
        return std::abs(devicePixels - 2 * dpr) < 1;
    };
    for (const EdgeSide& side : kEdgeSides) {
        SCOPED_TRACE(side.name);
        int wrong = 0;
        for (const QPoint start : crossingStarts(box, side, dpr)) {
            const EdgeCrossing c = cross(shot, start, side);
            const bool right = c.panel <= 3 && c.outer >= 1 && c.inner >= 1 &&
                               twoPixelsWide(c.outer + c.inner) && c.after != kPlotCyan &&
                               c.after != kPanelYellow;
            if (!right && wrong++ == 0) {
                ADD_FAILURE() << "crossing from (" << start.x() << ", " << start.y() << "): panel "
                              << c.panel << ", outer ring " << c.outer << ", inner ring " << c.inner
                              << ", then #" << std::hex << c.after;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

// A tick label as the chart prints it on the panel: the text with its blanks,
// and where the text starts, in the panel's twips.
struct PanelLabel {
    std::string text;
    double x;
    double y;
};

// The chart's tick labels where it places them beside the plot box.
std::vector<PanelLabel> panelLabels(const PictureBox& plotBox) {
    std::vector<PanelLabel> labels;
    for (const Tick& tick : gillilandTicks().ticks) {
        if (!tick.label.empty()) {
            const PanelPoint at = tickLabelPlace(tick, plotBox);
            labels.push_back({.text = tick.label, .x = at.x, .y = at.y});
        }
    }
    return labels;
}

// The bounding boxes of the 8-connected patches of ink on the background.
std::vector<QRect> inkPatches(const QImage& image, QRgb background) {
    const int w = image.width();
    std::vector<bool> seen(static_cast<std::size_t>(w * image.height()));
    const auto isInk = [&](QPoint p) {
        return image.rect().contains(p) && (image.pixel(p) & RGB_MASK) != background &&
               !seen[static_cast<std::size_t>(p.y() * w + p.x())];
    };
    const auto mark = [&](QPoint p) { seen[static_cast<std::size_t>(p.y() * w + p.x())] = true; };
    std::vector<QRect> patches;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < w; ++x) {
            if (!isInk({x, y})) {
                continue;
            }
            QRect patch;
            std::vector<QPoint> open{{x, y}};
            mark({x, y});
            while (!open.empty()) {
                const QPoint p = open.back();
                open.pop_back();
                patch |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (isInk(p + QPoint(dx, dy))) {
                            mark(p + QPoint(dx, dy));
                            open.push_back(p + QPoint(dx, dy));
                        }
                    }
                }
            }
            patches.push_back(patch);
        }
    }
    return patches;
}

// Blank pixels between two boxes, across or down, whichever is more.
int blankBetween(const QRect& a, const QRect& b) {
    const int across = std::max(b.left() - a.right(), a.left() - b.right()) - 1;
    const int down = std::max(b.top() - a.bottom(), a.top() - b.bottom()) - 1;
    return std::max(across, down);
}

// Where a label's text may put ink: from its text position, the advance of
// its text wide and a line high, in device pixels. With `glyphsOnly` its
// blanks are left out.
QRectF labelBox(const PanelLabel& label, const QFontMetricsF& fm, qreal dpr, bool glyphsOnly) {
    const QString text = QString::fromStdString(label.text);
    const QString glyphs = text.trimmed();
    const qreal lead = glyphsOnly ? fm.horizontalAdvance(text.left(text.indexOf(glyphs))) : 0;
    const qreal width = fm.horizontalAdvance(glyphsOnly ? glyphs : text);
    const QRectF box(label.x / 15.0 + lead, label.y / 15.0, width, fm.height());
    return {box.topLeft() * dpr, box.size() * dpr};
}

// Each patch of ink belongs to the label whose glyphs it lies among; labels
// that touch make one patch and so one label's ink reaches into the other's.
TEST_F(ChartWindow, TickLabelsStayApartAtTheirPlaces) {
    const QImage panel = chartPanel->drawing();
    const qreal dpr = panel.devicePixelRatio();
    const QFontMetricsF fm(chartPanel->font());
    const std::vector<PanelLabel> labels = panelLabels(*plotArea);
    std::vector<QRect> ink(labels.size());
    for (const QRect& patch : inkPatches(panel, kPanelYellow)) {
        const QPointF centre = QRectF(patch).center();
        std::size_t owner = labels.size();
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (labelBox(labels[i], fm, dpr, true).contains(centre)) {
                owner = i;
            }
        }
        ASSERT_LT(owner, labels.size())
            << "ink at " << patch.x() << ", " << patch.y() << " belongs to no label";
        ink[owner] |= patch;
    }
    // Two pixels of blank, in whole device pixels: at a fractional ratio a
    // renderer that snaps glyphs to the device grid may give up the fraction.
    const int apart = qFloor(2 * dpr);
    for (std::size_t i = 0; i < ink.size(); ++i) {
        const PanelLabel& label = labels[i];
        SCOPED_TRACE(testing::Message()
                     << "'" << label.text << "' at " << label.x << ", " << label.y);
        EXPECT_FALSE(ink[i].isEmpty());
        const QRectF place = labelBox(label, fm, dpr, false).adjusted(-1, -1, 1, 1);
        EXPECT_TRUE(place.contains(QRectF(ink[i])));
        for (std::size_t j = i + 1; j < ink.size(); ++j) {
            EXPECT_GE(blankBetween(ink[i], ink[j]), apart)
                << "and '" << labels[j].text << "' at " << labels[j].x << ", " << labels[j].y;
        }
    }

    // The lower-left corner of the chart: the two .01 labels and the edge.
    const QImage shot = form.grab().toImage();
    const QRect corner(chartPanel->mapTo(&form, QPoint(0, plotArea->geometry().bottom() - 60)),
                       QSize(plotArea->x() + 100, 100));
    saveScreenshot(
        shot.copy(
            QRectF(QPointF(corner.topLeft()) * dpr, QSizeF(corner.size()) * dpr).toAlignedRect()),
        QStringLiteral("chart_lower_left"));
}

}  // namespace
