// The program shows each picture as a recording of what Qt's SVG renderer
// draws (tools/picture_recorder, RecordedPicture). Played back into a box, the
// recording must have the picture's size and look as the SVG itself drawn there.
#include "app/RecordedPicture.h"
#include "tests/app/ImageCompare.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <string>

namespace {

// Drawn large and off the origin, so a wrong scale or offset shows.
constexpr int kScale = 4;
const QPointF kCorner(3, 5);

template <typename Picture>
QImage drawn(Picture& picture, QSize size) {
    QImage image(size * kScale + QSize(8, 10), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.render(&painter, QRectF(kCorner, QSizeF(size * kScale)));
    return image;
}

int inkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += image.pixel(x, y) != qRgb(255, 255, 255);
        }
    }
    return inked;
}

// Every picture of the resources folder, so that a picture added there and
// left out of the recordings fails here.
TEST(RecordedPictures, PlayBackAsTheSvgDraws) {
    const QStringList pictures = QDir(QStringLiteral(TRELVAN_PICTURES_DIR))
                                     .entryList({QStringLiteral("*.svg")}, QDir::Files);
    ASSERT_FALSE(pictures.isEmpty());
    for (const QString& name : pictures) {
        SCOPED_TRACE(name.toStdString());
        QSvgRenderer svg(QStringLiteral(TRELVAN_PICTURES_DIR "/") + name);
        const QString recording =
            QStringLiteral(TRELVAN_RECORDINGS_DIR "/") + QFileInfo(name).baseName() + ".pic";
        ASSERT_TRUE(QFileInfo::exists(recording));
        app::RecordedPicture recorded(recording, nullptr);
        ASSERT_TRUE(svg.isValid());
        ASSERT_EQ(recorded.defaultSize(), svg.defaultSize());

        const QImage expected = drawn(svg, svg.defaultSize());
        const QImage actual = drawn(recorded, svg.defaultSize());
        EXPECT_GT(inkedPixels(actual), inkedPixels(expected) / 2);
        EXPECT_LT(differingShare(expected, actual), 0.02);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
