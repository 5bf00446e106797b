// The picture box as a drawing surface on its own: user scale, points far
// outside, clipping, drawing order, clearing, resizing and text placement.
// Pixel sizes follow the device pixel ratio, so the tests also run at 2.
#include "app/PictureBox.h"

#include "tests/app/PictureBoxTestSupport.h"

#include <QFontInfo>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

using namespace app;
using namespace chart;

const QColor kCyan(0xC0, 0xFF, 0xFF);
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A 5000-twip plot box (333 pixels, 329 inside the border) with the chart's scale.
std::unique_ptr<PictureBox> plotBox() {
    auto box = std::make_unique<PictureBox>(nullptr, "Plot", TwipRect{0, 0, 5000, 5000}, kCyan,
                                            PictureBox::Border::Sunken, QAccessible::Graphic);
    box->Scale(0, 4000, 4000, 0);
    return box;
}

TEST(PictureBox, ImageIsTheInnerAreaAtTheDevicePixelRatio) {
    const auto box = plotBox();
    const QImage image = box->drawing();
    const qreal dpr = box->devicePixelRatioF();
    EXPECT_EQ(image.devicePixelRatio(), dpr);
    EXPECT_EQ(image.size(), QSize(qCeil(329 * dpr), qCeil(329 * dpr)));
    EXPECT_TRUE(pixelsOf(image, kCyan, true).isEmpty());
    if (const QByteArray wanted = qgetenv("TRELVAN_TEST_DPR"); !wanted.isEmpty()) {
        EXPECT_EQ(dpr, wanted.toDouble());
    }
}

// Where a PSet lands, in device-independent pixels of the inner area; the
// scale's corners fall on the centres of the corner pixels.
TEST(PictureBox, PSetFollowsTheScale) {
    struct Case {
        float x, y;
        int width;
        QRect expected;  // nothing for points outside, however far
    } const cases[] = {
        {0, 4000, 1, {0, 0, 1, 1}},
        {4000, 0, 1, {328, 328, 1, 1}},
        {4000, 4000, 1, {328, 0, 1, 1}},
        {0, 0, 1, {0, 328, 1, 1}},
        {1e30F, 2000, 2, {}},
        {-1e30F, 2000, 2, {}},
        {2000, -1e30F, 2, {}},
        {kNaN, 2000, 2, {}},
        {2000, kInf, 2, {}},
        {-40, 2000, 2, {}},
        {2000, 4040, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "PSet(" << c.x << ", " << c.y << ")");
        const auto box = plotBox();
        box->SetForeColor(kRed);
        box->SetDrawWidth(c.width);
        box->PSet(c.x, c.y);
        const QImage image = box->drawing();
        const qreal dpr = image.devicePixelRatio();
        const QRect e = c.expected;
        const QRect device(qRound(e.x() * dpr), qRound(e.y() * dpr), qRound(e.width() * dpr),
                           qRound(e.height() * dpr));
        EXPECT_EQ(pixelsOf(image, kCyan, true), device);
        EXPECT_EQ(pixelsOf(image, Qt::red), device);
    }
}

TEST(PictureBox, PSetIsDrawWidthWideAroundItsPoint) {
    const auto box = plotBox();
    box->SetForeColor(kRed);
    box->SetDrawWidth(2);
    box->PSet(2000, 2000);
    const QImage image = box->drawing();
    const qreal dpr = image.devicePixelRatio();
    const QRect drawn = pixelsOf(image, Qt::red);
    EXPECT_EQ(drawn.size(), QSize(qRound(2 * dpr), qRound(2 * dpr)));
    EXPECT_TRUE(drawn.contains(QPointF(164.5 * dpr, 164.5 * dpr).toPoint()));
}

TEST(PictureBox, LinesAreClippedToTheBox) {
    struct Case {
        const char* name;
        float x1, y1, x2, y2;
        bool shows;  // as one whole row or column of the inner area
    } const cases[] = {
        {"far beyond both sides", -1e30F, 2000, 1e30F, 2000, true},
        {"left edge", 0, 0, 0, 4000, true},
        {"right edge", 4000, -100, 4000, 1e20F, true},
        {"bottom edge", 0, 0, 4000, 0, true},
        {"wholly outside", 5000, 5000, 6000, 6000, false},
        {"past a corner", -100, 4100, -1e20F, 1e20F, false},
        {"not a number", kNaN, 0, 4000, 4000, false},
        {"infinite", -kInf, 2000, kInf, 2000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto box = plotBox();
        box->SetForeColor(kBlack);
        box->Line(c.x1, c.y1, c.x2, c.y2);
        const QImage image = box->drawing();
        const QRect drawn = pixelsOf(image, kCyan, true);
        const int pen = qRound(image.devicePixelRatio());
        const bool row = drawn.width() == image.width() && drawn.height() == pen;
        const bool column = drawn.height() == image.height() && drawn.width() == pen;
        EXPECT_EQ(row || column, c.shows);
        EXPECT_EQ(pixelsOf(image, Qt::black), drawn);
    }
}

// Points still waiting to be painted keep their place in the drawing order.
TEST(PictureBox, LaterDrawingCoversEarlier) {
    for (const bool pointFirst : {true, false}) {
        const auto box = plotBox();
        const auto point = [&] {
            box->SetForeColor(kRed);
            box->PSet(2000, 2000);
        };
        const auto cross = [&] {
            box->SetForeColor(kBlack);
            box->Line(0, 2000, 4000, 2000);
            box->Line(2000, 0, 2000, 4000);
        };
        pointFirst ? (point(), cross()) : (cross(), point());
        EXPECT_EQ(pixelsOf(box->drawing(), Qt::red).isEmpty(), pointFirst);
    }
}

TEST(PictureBox, ClsAndResizing) {
    const auto box = plotBox();
    box->SetForeColor(kRed);
    box->Line(0, 0, 4000, 4000);
    box->SetDrawWidth(2);
    for (float x = 0; x <= 4000; x += 10) {
        box->PSet(x, 2000);
    }
    box->Cls();
    EXPECT_TRUE(pixelsOf(box->drawing(), kCyan, true).isEmpty());

    // A larger box keeps its drawing at the top left, with background beyond.
    box->PSet(0, 4000);
    for (const float refused : {-1.0F, kNaN, kInf, 1e30F}) {
        box->SetWidth(refused);
    }
    box->SetWidth(6000);
    box->SetHeight(6000);
    EXPECT_EQ(box->size(), QSize(400, 400));
    EXPECT_DOUBLE_EQ(box->Height(), 6000);
    const QImage image = box->drawing();
    EXPECT_EQ(image.width(), qCeil(396 * image.devicePixelRatio()));
    EXPECT_EQ(pixelsOf(image, Qt::red).topLeft(), QPoint(0, 0));
    EXPECT_TRUE(hasColour(image, image.width() - 1, image.height() - 1, kCyan));
}

// Without a scale the text position is in twips from the inner top-left.
// The text is drawn in a named face the set-up installs, not the machine's
// default: glyph shapes decide whether any pixel is pure red.
TEST(PictureBox, PrintStartsAtTheTextPositionAndMovesOn) {
    PictureBox panel(nullptr, "Panel", TwipRect{0, 0, 6030, 7005}, Qt::white,
                     PictureBox::Border::None, QAccessible::Chart);
    const QFont face(QStringLiteral("Liberation Sans"), 12);
    ASSERT_EQ(QFontInfo(face).family(), face.family());
    panel.setFont(face);
    panel.SetForeColor(kRed);
    panel.SetCurrentX(1500);
    panel.SetCurrentY(300);
    panel.Print("1.0");
    const QImage first = panel.drawing();
    const qreal dpr = first.devicePixelRatio();
    const QRect text = pixelsOf(first, Qt::white, true);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_NEAR(text.left(), 100 * dpr, 3 * dpr);
    EXPECT_NEAR(text.top(), 20 * dpr, 8 * dpr);
    EXPECT_FALSE(pixelsOf(first, Qt::red).isEmpty());

    panel.Print(0.5);
    const QRect both = pixelsOf(panel.drawing(), Qt::white, true);
    EXPECT_EQ(both.left(), text.left());
    EXPECT_GT(both.right(), text.right() + 2);

    panel.Cls();
    panel.Print("1.0");
    EXPECT_LT(pixelsOf(panel.drawing(), Qt::white, true).left(), text.left());

    panel.Cls();
    panel.SetCurrentX(1e30F);
    panel.SetCurrentY(kNaN);
    panel.Print("far");
    EXPECT_TRUE(pixelsOf(panel.drawing(), Qt::white, true).isEmpty());
}

}  // namespace
