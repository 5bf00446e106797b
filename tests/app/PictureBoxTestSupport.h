#pragma once

// Pixel helpers shared by the picture-box and chart tests.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QString>

inline bool hasColour(const QImage& image, int x, int y, QColor colour) {
    return image.rect().contains(x, y) && image.pixelColor(x, y).rgb() == colour.rgb();
}

// The smallest rectangle holding every pixel of the colour (or, with
// `other`, every pixel not of it).
inline QRect pixelsOf(const QImage& image, QColor colour, bool other = false) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixelColor(x, y).rgb() == colour.rgb()) != other) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

// Keeps a picture for people to look at in the build tree's screenshot
// folder, its pixel ratio in the file name.
inline void saveScreenshot(const QImage& image, const QString& name) {
    const QString folder = QStringLiteral(TRELVAN_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    image.save(QStringLiteral("%1/%2@%3x.png").arg(folder, name).arg(image.devicePixelRatio()));
}
