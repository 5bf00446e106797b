// The Gilliland chart as the window shows it, found in the pixels of the plot
// box after the default calculation, and the same picture after the window
// has been hidden and shown again.
#include "Form1.h"
#include "GillilandChart.h"
#include "GillilandCorrelation.h"
#include "PictureBox.h"
#include "picturebox_test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

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
        picture5 = form.findChild<PictureBox*>("Picture5");
        picture2 = form.findChild<PictureBox*>("Picture2");
        ASSERT_NE(picture5, nullptr);
        ASSERT_NE(picture2, nullptr);
    }

    void calculate() {
        form.Command2_Click();
        QApplication::processEvents();
    }

    Form1 form;
    PictureBox* picture5 = nullptr;
    PictureBox* picture2 = nullptr;
};

TEST_F(ChartWindow, RedDropLinesMeetAtTheOperatingPoint) {
    calculate();
    const QImage image = picture5->drawing();
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
    const QImage image = picture5->drawing();
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
    const QImage panel = picture2->drawing();
    const QRect plot = picture5->geometry();
    const QRect text = pixelsOf(panel, panel.pixelColor(0, 0), true);
    const qreal dpr = panel.devicePixelRatio();
    EXPECT_LT(text.left(), plot.left() * dpr);
    EXPECT_GT(text.bottom(), (plot.bottom() + 1) * dpr);
}

TEST_F(ChartWindow, SecondCalculationLeavesNoTraceOfTheFirstMarker) {
    calculate();
    const QImage first = picture5->drawing();
    form.findChild<QLineEdit*>("Text4")->setText("2");
    calculate();
    const QImage second = picture5->drawing();
    const PlotPixels at{first};
    const double column = at.column(kMarkerX);
    int redLeft = 0;
    for (int y = 0; y < second.height(); ++y) {
        redLeft += colourNear(second, column, y, Qt::red, 1) ? 1 : 0;
    }
    // Only the new horizontal line may cross the old column.
    EXPECT_LT(redLeft, 3 * qRound(2 * second.devicePixelRatio()));
    EXPECT_NE(first, second);

    form.findChild<QLineEdit*>("Text4")->setText("1.2");
    calculate();
    EXPECT_EQ(picture5->drawing(), first);
}

// The chart panel with the plot box on it; the rest of the window is left
// out, as a text cursor may blink there.
TEST_F(ChartWindow, HiddenAndShownAgainShowsTheSamePicture) {
    calculate();
    const QImage before = picture2->grab().toImage();
    const QImage plotBefore = picture5->grab().toImage();
    ASSERT_TRUE(colourNear(plotBefore, plotBefore.width() / 2, plotBefore.height() - 4, Qt::red,
                           plotBefore.width() / 2));

    form.hide();
    QApplication::processEvents();
    form.show();
    QApplication::processEvents();

    EXPECT_EQ(picture2->grab().toImage(), before);
    EXPECT_EQ(picture5->grab().toImage(), plotBefore);
}

}  // namespace
