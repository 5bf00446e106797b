// picture_recorder picture IN.svg OUT   records IN as a QPicture, its bounding
//                                        rectangle the picture's own size
// picture_recorder icon IN.svg OUT.ico  draws IN into a Windows icon file with
//                                        the sizes Windows shows
// picture_recorder png IN.svg OUT.png    draws IN into a square PNG image, SIDE
//                  SIDE                  pixels wide (a web page's icons)
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QString>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>
#include <vector>

namespace {

bool recordPicture(QSvgRenderer& svg, const QString& out) {
    const QSize size = svg.defaultSize();
    QPicture picture;
    QPainter painter(&picture);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    // Set before end(), which writes the rectangle into the recording; the
    // program takes it for the picture's size, as it takes the SVG's.
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    painter.end();
    return picture.save(out);
}

template <typename T>
void append(QByteArray& bytes, T value) {
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// The picture in the middle of a clear square, keeping its shape.
QImage drawSquare(QSvgRenderer& svg, int side) {
    QSize drawn = svg.defaultSize();
    drawn.scale(side, side, Qt::KeepAspectRatio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QPointF corner((side - drawn.width()) / 2.0, (side - drawn.height()) / 2.0);
    svg.render(&painter, QRectF(corner, QSizeF(drawn)));
    return image;
}

// An .ico holding one PNG per size (read by Windows Vista and later).
bool drawIcon(QSvgRenderer& svg, const QString& out) {
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 128, 256};
    std::vector<QByteArray> images;
    for (const int side : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!drawSquare(svg, side).save(&buffer, "PNG")) {
            return false;
        }
        images.push_back(png);
    }

    QByteArray ico;
    append<quint16>(ico, 0);  // reserved
    append<quint16>(ico, 1);  // an icon, not a cursor
    append<quint16>(ico, static_cast<quint16>(sizes.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const auto side = static_cast<quint8>(sizes[i] == 256 ? 0 : sizes[i]);  // 0 is 256
        append<quint8>(ico, side);
        append<quint8>(ico, side);
        append<quint8>(ico, 0);    // no palette
        append<quint8>(ico, 0);    // reserved
        append<quint16>(ico, 1);   // colour planes
        append<quint16>(ico, 32);  // bits per pixel
        append<quint32>(ico, static_cast<quint32>(images[i].size()));
        append<quint32>(ico, offset);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& png : images) {
        ico.append(png);
    }
    QFile file(out);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    // A build step: it draws into memory and never opens a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool png = args.size() == 5 && args[1] == "png" && args[4].toInt() > 0;
    if (!png && (args.size() != 4 || (args[1] != "picture" && args[1] != "icon"))) {
        std::fprintf(stderr, "usage: picture_recorder picture|icon IN.svg OUT\n"
                             "       picture_recorder png IN.svg OUT.png SIDE\n");
        return 2;
    }
    QSvgRenderer svg(args[2]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "picture_recorder: cannot read %s\n", qPrintable(args[2]));
        return 1;
    }
    const bool written = png                    ? drawSquare(svg, args[4].toInt()).save(args[3])
                         : args[1] == "picture" ? recordPicture(svg, args[3])
                                                : drawIcon(svg, args[3]);
    if (!written) {
        std::fprintf(stderr, "picture_recorder: cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    return 0;
}
