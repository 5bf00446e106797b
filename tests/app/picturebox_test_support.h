#pragma once

// Pixel helpers shared by the picture-box and chart tests.
#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>

inline bool hasColour(const QImage& image, int x, int y, QColor colour) {
    return image.rect().contains(x, y) && image.pixelColor(x, y).rgb() == colour.rgb();
}

inline int countPixels(const QImage& image, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += test(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return n;
}

// The smallest rectangle holding every pixel that differs from the background.
inline QRect drawnBounds(const QImage& image, QColor background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() != background.rgb()) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}
