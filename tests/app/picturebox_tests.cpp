// The picture box as a drawing surface on its own: user scale, points far
// outside, clipping, clearing, text placement, resizing and the device pixel
// ratio of its retained image.
#include "PictureBox.h"
#include "picturebox_test_support.h"

#include <QFontMetricsF>
#include <QtGlobal>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

const QColor kCyan(0xC0, 0xFF, 0xFF);
const Rgb kBlack{0, 0, 0};
const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A 5000-twip plot box with the sunken border and the chart's scale.
std::unique_ptr<PictureBox> plotBox() {
    auto box = std::make_unique<PictureBox>(nullptr, "Plot", TwipRect{0, 0, 5000, 5000}, kCyan,
                                            PictureBox::Border::Sunken);
    box->Scale(0, 4000, 4000, 0);
    return box;
}

bool isRed(QColor c) {
    return c.rgb() == QColor(255, 0, 0).rgb();
}
bool isBlack(QColor c) {
    return c.rgb() == QColor(0, 0, 0).rgb();
}

TEST(PictureBoxImage, CoversTheInnerAreaAtTheDevicePixelRatio) {
    const auto box = plotBox();
    const QImage image = box->drawing();
    const qreal dpr = box->devicePixelRatioF();
    // 5000 twips are 333 pixels; the border takes two on each side.
    EXPECT_EQ(image.devicePixelRatio(), dpr);
    EXPECT_EQ(image.width(), qCeil(329 * dpr));
    EXPECT_EQ(image.height(), qCeil(329 * dpr));
    EXPECT_EQ(box->size(), QSize(333, 333));
    EXPECT_EQ(countPixels(image, [](QColor c) { return c.rgb() != kCyan.rgb(); }), 0);

    const QByteArray wanted = qgetenv("TRELVAN_TEST_DPR");
    if (!wanted.isEmpty()) {
        EXPECT_EQ(dpr, wanted.toDouble());
    }
}

struct CornerCase {
    float x, y;
    bool right, bottom;
};

TEST(PictureBoxScale, CornersOfTheScaleLandOnTheCornerPixels) {
    const CornerCase cases[] = {
        {0, 4000, false, false},
        {4000, 0, true, true},
        {4000, 4000, true, false},
        {0, 0, false, true},
    };
    for (const CornerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "PSet(" << c.x << ", " << c.y << ")");
        const auto box = plotBox();
        box->SetForeColor(kRed);
        box->SetDrawWidth(1);
        box->PSet(c.x, c.y);
        const QImage image = box->drawing();
        const int s = qRound(image.devicePixelRatio());
        const QRect expected(c.right ? image.width() - s : 0, c.bottom ? image.height() - s : 0, s,
                             s);
        EXPECT_EQ(drawnBounds(image, kCyan), expected);
        EXPECT_TRUE(hasColour(image, expected.x(), expected.y(), Qt::red));
    }
}

TEST(PictureBoxScale, YGrowsUpwardAndPointsAreDrawWidthWide) {
    const auto box = plotBox();
    box->SetForeColor(kRed);
    box->SetDrawWidth(2);
    box->PSet(1000, 1000);
    box->PSet(3000, 3000);
    const QImage image = box->drawing();
    const int s = qRound(2 * image.devicePixelRatio());
    EXPECT_EQ(countPixels(image, isRed), 2 * s * s);
    // (1000, 1000) is in the lower left quarter, (3000, 3000) in the upper right.
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(countPixels(image.copy(0, h / 2, w / 2, h / 2), isRed), s * s);
    EXPECT_EQ(countPixels(image.copy(w / 2, 0, w / 2, h / 2), isRed), s * s);
}

TEST(PictureBoxPSet, PointsOutsideLeaveNoMark) {
    const float outside[][2] = {
        {1e30F, 2000}, {-1e30F, 2000}, {2000, 1e30F},    {2000, -1e30F}, {kNaN, 2000},
        {2000, kNaN},  {kInf, kInf},   {-kInf, 0},       {-40, 2000},    {4040, 2000},
        {2000, -40},   {2000, 4040},   {-50000, -50000},
    };
    const auto box = plotBox();
    box->SetForeColor(kRed);
    box->SetDrawWidth(2);
    for (const auto& p : outside) {
        box->PSet(p[0], p[1]);
    }
    EXPECT_EQ(countPixels(box->drawing(), isRed), 0);
}

TEST(PictureBoxPSet, ScaleWithoutExtentIsIgnored) {
    const auto box = plotBox();
    box->Scale(0, 0, 0, 0);
    box->Scale(kNaN, 0, 1, 1);
    box->SetForeColor(kRed);
    box->PSet(0, 4000);
    EXPECT_TRUE(hasColour(box->drawing(), 0, 0, Qt::red));
}

struct LineCase {
    const char* name;
    float x1, y1, x2, y2;
    int blackPixels;  // -1: one whole row or column, a pen wide
};

TEST(PictureBoxLine, ClipsToTheBox) {
    const LineCase cases[] = {
        {"far beyond both sides", -1e30F, 2000, 1e30F, 2000, -1},
        {"left edge", 0, 0, 0, 4000, -1},
        {"right edge", 4000, 0, 4000, 4000, -1},
        {"bottom edge", 0, 0, 4000, 0, -1},
        {"wholly outside", 5000, 5000, 6000, 6000, 0},
        {"beyond a corner", -100, 4100, -1e20F, 1e20F, 0},
        {"not a number", kNaN, 0, 4000, 4000, 0},
        {"infinite", -kInf, 2000, kInf, 2000, 0},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto box = plotBox();
        box->SetForeColor(kBlack);
        box->SetDrawWidth(1);
        box->Line(c.x1, c.y1, c.x2, c.y2);
        const QImage image = box->drawing();
        const int black = countPixels(image, isBlack);
        if (c.blackPixels < 0) {
            const QRect bounds = drawnBounds(image, kCyan);
            const int pen = qRound(image.devicePixelRatio());
            const bool row = bounds.width() == image.width() && bounds.height() == pen;
            const bool column = bounds.height() == image.height() && bounds.width() == pen;
            EXPECT_TRUE(row || column) << bounds.x() << "," << bounds.y() << " " << bounds.width()
                                       << "x" << bounds.height();
            EXPECT_EQ(black, bounds.width() * bounds.height());
        } else {
            EXPECT_EQ(black, c.blackPixels);
        }
    }
}

TEST(PictureBoxLine, EdgeLinesLieOnTheOuterPixels) {
    const auto box = plotBox();
    box->SetForeColor(kBlack);
    box->Line(0, 0, 0, 4000);
    box->Line(4000, 0, 4000, 4000);
    box->Line(0, 4000, 4000, 4000);
    box->Line(0, 0, 4000, 0);
    const QImage image = box->drawing();
    const int w = image.width();
    const int h = image.height();
    for (int i = 0; i < w; ++i) {
        ASSERT_TRUE(hasColour(image, i, 0, Qt::black)) << i;
        ASSERT_TRUE(hasColour(image, i, h - 1, Qt::black)) << i;
        ASSERT_TRUE(hasColour(image, 0, i, Qt::black)) << i;
        ASSERT_TRUE(hasColour(image, w - 1, i, Qt::black)) << i;
    }
    EXPECT_TRUE(hasColour(image, w / 2, h / 2, kCyan));
}

// Later drawing covers earlier drawing, whether or not points are still
// waiting to be painted when the line comes.
TEST(PictureBoxOrder, LaterDrawingCoversEarlier) {
    struct Case {
        bool pointFirst;
        QColor expected;
    } const cases[] = {{true, Qt::black}, {false, Qt::red}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pointFirst ? "point, then line" : "line, then point");
        const auto box = plotBox();
        const auto point = [&] {
            box->SetForeColor(kRed);
            box->SetDrawWidth(1);
            box->PSet(2000, 2000);
        };
        const auto line = [&] {
            box->SetForeColor(kBlack);
            box->SetDrawWidth(1);
            box->Line(0, 2000, 4000, 2000);
            box->Line(2000, 0, 2000, 4000);
        };
        if (c.pointFirst) {
            point();
            line();
        } else {
            line();
            point();
        }
        const QImage image = box->drawing();
        const QRect mark = drawnBounds(image, kCyan);
        EXPECT_EQ(image.pixelColor(mark.center()).rgb(), c.expected.rgb());
    }
}

TEST(PictureBoxCls, RestoresTheBackgroundAndDropsWaitingPoints) {
    const auto box = plotBox();
    box->SetForeColor(kBlack);
    box->Line(0, 0, 4000, 4000);
    box->SetForeColor(kGreen);
    box->SetDrawWidth(2);
    for (float x = 0; x <= 4000; x += 10) {
        box->PSet(x, 2000);
    }
    box->Cls();
    EXPECT_EQ(drawnBounds(box->drawing(), kCyan), QRect());
}

TEST(PictureBoxResize, KeepsTheDrawingAndShowsBackgroundInTheNewArea) {
    const auto box = plotBox();
    box->SetForeColor(kRed);
    box->PSet(0, 4000);
    box->SetWidth(6000);
    box->SetHeight(6000);
    const QImage image = box->drawing();
    const qreal dpr = image.devicePixelRatio();
    EXPECT_EQ(box->size(), QSize(400, 400));
    EXPECT_EQ(image.width(), qCeil(396 * dpr));
    EXPECT_TRUE(hasColour(image, 0, 0, Qt::red));
    EXPECT_TRUE(hasColour(image, image.width() - 1, image.height() - 1, kCyan));

    const float refused[] = {-1, kNaN, kInf, 1e30F};
    for (float twips : refused) {
        box->SetWidth(twips);
        box->SetHeight(twips);
    }
    EXPECT_EQ(box->size(), QSize(400, 400));
    EXPECT_DOUBLE_EQ(box->Height(), 6000);
}

// A panel without a scale: coordinates are twips from the inner top-left.
struct PrintCase {
    float x, y;
    Rgb colour;
    const char* text;
};

TEST(PictureBoxPrint, TextStartsAtTheTextPositionInForeColor) {
    const PrintCase cases[] = {
        {150, 300, {255, 0, 0}, "1.0"},
        {1500, 45, {0, 0, 0}, ".8"},
        {30, 3000, {0, 0, 255}, "Gilliland"},
    };
    for (const PrintCase& c : cases) {
        SCOPED_TRACE(c.text);
        PictureBox panel(nullptr, "Panel", TwipRect{0, 0, 6030, 7005}, Qt::white,
                         PictureBox::Border::None);
        panel.SetForeColor(c.colour);
        panel.SetCurrentX(c.x);
        panel.SetCurrentY(c.y);
        panel.Print(c.text);
        const QImage image = panel.drawing();
        const qreal dpr = image.devicePixelRatio();
        const QRect bounds = drawnBounds(image, Qt::white);
        ASSERT_FALSE(bounds.isEmpty());
        const double left = c.x / 15.0 * dpr;
        const double top = c.y / 15.0 * dpr;
        const double lineHeight = QFontMetricsF(panel.font()).height() * dpr;
        EXPECT_GE(bounds.left(), left - 1);
        EXPECT_LE(bounds.left(), left + 3 * dpr);
        EXPECT_GE(bounds.top(), top - 1);
        EXPECT_LE(bounds.bottom(), top + lineHeight + 1);
        const QColor expected(c.colour.r, c.colour.g, c.colour.b);
        EXPECT_GT(countPixels(image, [&](QColor p) { return p.rgb() == expected.rgb(); }), 0);
    }
}

TEST(PictureBoxPrint, PrintMovesOnAndClsGoesBackToTheOrigin) {
    PictureBox panel(nullptr, "Panel", TwipRect{0, 0, 6030, 7005}, Qt::white,
                     PictureBox::Border::None);
    panel.SetCurrentX(300);
    panel.SetCurrentY(300);
    panel.Print("AB");
    const QRect first = drawnBounds(panel.drawing(), Qt::white);
    panel.Print("CD");
    const QRect both = drawnBounds(panel.drawing(), Qt::white);
    EXPECT_GT(both.right(), first.right() + 2);
    EXPECT_EQ(both.left(), first.left());

    panel.Cls();
    panel.Print("AB");
    const QRect atOrigin = drawnBounds(panel.drawing(), Qt::white);
    EXPECT_LT(atOrigin.left(), first.left());
    EXPECT_LT(atOrigin.top(), first.top());

    panel.Cls();
    panel.SetCurrentX(1e30F);
    panel.SetCurrentY(kNaN);
    panel.Print("far");
    panel.Print(0.01);
    EXPECT_EQ(drawnBounds(panel.drawing(), Qt::white), QRect());
}

TEST(PictureBoxPaint, ShowsTheDrawingInsideTheSunkenBorder) {
    const auto box = plotBox();
    box->SetForeColor(kRed);
    box->SetDrawWidth(1);
    box->PSet(0, 4000);
    box->PSet(4000, 0);
    const QImage shown = box->grab().toImage();
    const qreal dpr = shown.devicePixelRatio();
    const int border = qRound(2 * dpr);
    EXPECT_TRUE(hasColour(shown, border, border, Qt::red));
    EXPECT_TRUE(hasColour(shown, shown.width() - border - 1, shown.height() - border - 1, Qt::red));
    EXPECT_FALSE(hasColour(shown, 0, 0, kCyan));
    EXPECT_FALSE(hasColour(shown, border - 1, border - 1, Qt::red));
}

}  // namespace
