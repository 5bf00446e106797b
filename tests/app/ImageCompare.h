#pragma once

// Comparing two drawings of one picture that may differ by a little at the
// edges of their strokes and glyphs.
#include <QImage>
#include <QtGlobal>

// Share of pixels whose colour differs by more than a quarter of the range in
// any channel, alpha included: anti-aliasing and text placement differ by a
// little at edges.
inline double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 1.0;
    }
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 64 || qAbs(qGreen(p) - qGreen(q)) > 64 ||
                qAbs(qBlue(p) - qBlue(q)) > 64 || qAbs(qAlpha(p) - qAlpha(q)) > 64) {
                ++differing;
            }
        }
    }
    return double(differing) / (a.width() * a.height());
}
