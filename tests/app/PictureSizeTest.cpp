// Every picture the window shows comes from the /recordings resources: it must load, have the
// pixel size its box is laid out for, and render as the box expects.
#include "app/PictureIconEngine.h"
#include "app/Pictures.h"
#include "tests/app/ImageCompare.h"

#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using namespace app;

enum class Ground { Transparent, Opaque };

struct PictureCase {
    const char* path;
    int width;
    int height;
    Ground ground;
};

const PictureCase kPictures[] = {
    {":/recordings/rmin.pic", 24, 15, Ground::Transparent},
    {":/recordings/r.pic", 9, 11, Ground::Transparent},
    {":/recordings/nmin.pic", 26, 15, Ground::Transparent},
    {":/recordings/nt.pic", 17, 15, Ground::Transparent},
    {":/recordings/ni.pic", 15, 15, Ground::Transparent},
    {":/recordings/gilliland_x.pic", 54, 35, Ground::Transparent},
    {":/recordings/gilliland_y.pic", 67, 39, Ground::Transparent},
    {":/recordings/button_exit.pic", 74, 37, Ground::Opaque},
    {":/recordings/button_confirm.pic", 244, 37, Ground::Opaque},
    {":/recordings/trelvan.pic", 64, 64, Ground::Transparent},
};

// The painter starts with the font of whatever it paints on; pass one to stand for it.
QImage render(const RecordedPicture& drawing, const QFont& painterFont = QFont()) {
    QImage image(drawing.defaultSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(painterFont);
    drawing.render(&painter, QRectF(image.rect()));
    return image;
}

int pixelsWithAlphaAtLeast(const QImage& image, int alpha) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) >= alpha ? 1 : 0;
        }
    }
    return count;
}

// The strongest ink along the picture's outer rows and columns: a glyph or stroke cut off by
// the picture's edge leaves a solid mark there.
int edgeAlpha(const QImage& image) {
    int strongest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool onEdge =
                x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
            if (onEdge) {
                strongest = std::max(strongest, qAlpha(image.pixel(x, y)));
            }
        }
    }
    return strongest;
}

void PrintTo(const PictureCase& picture, std::ostream* out) {
    *out << picture.path;
}

class Pictures : public testing::TestWithParam<PictureCase> {};

TEST_P(Pictures, LoadsWithItsLaidOutSizeAndGround) {
    const PictureCase& picture = GetParam();
    const QString resource = QString::fromLatin1(picture.path);
    const RecordedPicture& drawing = app::picture(resource);
    EXPECT_EQ(drawing.defaultSize(), QSize(picture.width, picture.height));

    const QImage image = render(drawing);
    const int pixels = image.width() * image.height();
    if (picture.ground == Ground::Opaque) {
        EXPECT_EQ(pixelsWithAlphaAtLeast(image, 255), pixels);
    } else {
        // Strokes on a clear ground: some ink (a face that failed to load leaves none), and
        // most of the picture lets the box colour through.
        const int ink = pixelsWithAlphaAtLeast(image, 128);
        EXPECT_GT(ink, 0);
        EXPECT_LT(ink, pixels / 2);
        EXPECT_LT(edgeAlpha(image), 64);
    }
    // A picture shown in a box with a bold caption font must not turn bold: every text sets
    // its own weight and slant instead of taking the painter's.
    const QFont boldItalic(QStringLiteral("Liberation Sans"), 14, QFont::Bold, true);
    EXPECT_EQ(render(drawing, boldItalic), image);
}

std::string baseName(const char* path) {
    return QFileInfo(QString::fromLatin1(path)).baseName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Resources, Pictures, testing::ValuesIn(kPictures),
                         [](const auto& info) { return baseName(info.param.path); });

// Where a button face must be yellow and where orange; both shade evenly between.
struct ShadeCase {
    const char* path;
    QPoint point;
    QRgb colour;
};

const ShadeCase kShades[] = {
    {":/recordings/button_exit.pic", {37, 18}, qRgb(0xFF, 0xFF, 0x00)},
    {":/recordings/button_exit.pic", {0, 18}, qRgb(0xFF, 0x66, 0x00)},
    {":/recordings/button_exit.pic", {73, 18}, qRgb(0xFF, 0x66, 0x00)},
    {":/recordings/button_exit.pic", {37, 0}, qRgb(0xFF, 0x66, 0x00)},
    {":/recordings/button_exit.pic", {37, 36}, qRgb(0xFF, 0x66, 0x00)},
    {":/recordings/button_confirm.pic", {0, 18}, qRgb(0xFF, 0xFF, 0x00)},
    {":/recordings/button_confirm.pic", {243, 18}, qRgb(0xFF, 0xFF, 0x00)},
    {":/recordings/button_confirm.pic", {122, 0}, qRgb(0xFF, 0x66, 0x00)},
    {":/recordings/button_confirm.pic", {122, 36}, qRgb(0xFF, 0x66, 0x00)},
};

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

void PrintTo(const ShadeCase& shade, std::ostream* out) {
    *out << shade.path << " at " << shade.point.x() << "," << shade.point.y();
}

class ButtonShades : public testing::TestWithParam<ShadeCase> {};

TEST_P(ButtonShades, ColourAtPoint) {
    const ShadeCase& shade = GetParam();
    const QImage image = render(app::picture(QString::fromLatin1(shade.path)));
    // Half a pixel of a 37-pixel gradient is about 5 levels of the green channel.
    EXPECT_LE(channelDistance(image.pixel(shade.point), shade.colour), 12);
}

INSTANTIATE_TEST_SUITE_P(Resources, ButtonShades, testing::ValuesIn(kShades), [](const auto& info) {
    return baseName(info.param.path) + "_" + std::to_string(info.param.point.x()) + "_" +
           std::to_string(info.param.point.y());
});

// The window icon must look as Qt's own SVG icon engine draws the SVG file: the same
// images at every size the window manager is offered, at ordinary and doubled pixel
// density, and no fixed list of sizes, so the window system keeps choosing them.
TEST(WindowIcon, DrawsAsTheSvgIconEngine) {
    const QIcon ours(new PictureIconEngine(QStringLiteral(":/recordings/trelvan.pic")));
    const QIcon qts(QStringLiteral(TRELVAN_PICTURES_DIR "/trelvan.svg"));
    EXPECT_EQ(ours.availableSizes(), qts.availableSizes());
    for (const double ratio : {1.0, 2.0}) {
        for (const int side : {16, 32, 64, 128, 20}) {
            SCOPED_TRACE(std::to_string(side) + " at " + std::to_string(ratio));
            const QImage drawn = ours.pixmap(QSize(side, side), ratio).toImage();
            const QImage expected = qts.pixmap(QSize(side, side), ratio).toImage();
            ASSERT_FALSE(expected.isNull());
            EXPECT_LT(differingShare(drawn.convertToFormat(QImage::Format_ARGB32),
                                     expected.convertToFormat(QImage::Format_ARGB32)),
                      0.02);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
