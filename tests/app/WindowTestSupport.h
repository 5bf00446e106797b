#pragma once

// Helpers shared by the window tests: finding controls by the names the layout
// table gives them, typing a design, the colour that covers most of a picture,
// and texts printed readably. The designs with known read-outs are the
// calculation tests' (KnownDesigns.h).

#include "app/LayoutTable.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"
#include "tests/calc/KnownDesigns.h"

#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

// Failure messages show texts as text, not as UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline QWidget* control(const QWidget& window, const char* name) {
    return window.findChild<QWidget*>(QString::fromUtf8(name));
}

inline QLineEdit* box(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromUtf8(name));
}

inline QLineEdit* inputBox(const QWidget& window, app::InputBox which) {
    return box(window, app::rowOf(which).name);
}

inline QLineEdit* readoutBox(const QWidget& window, calc::ReadoutBox which) {
    return box(window, app::rowOf(which).name);
}

// Types the texts into the input boxes, in box order.
inline void type(const QWidget& window, const calc::InputTexts& texts) {
    for (std::size_t i = 0; i < calc::kInputCount; ++i) {
        inputBox(window, static_cast<app::InputBox>(i))
            ->setText(QString::fromUtf8(texts[i].data(), static_cast<qsizetype>(texts[i].size())));
    }
}

// The colour the widget shows at a point given in device-independent pixels.
inline QRgb colourAt(QWidget& widget, QPoint point) {
    const QImage shot = widget.grab().toImage();
    return shot.pixel(point * shot.devicePixelRatio()) & RGB_MASK;
}

inline QRgb dominantColour(const QImage& image) {
    QMap<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y) & RGB_MASK];
        }
    }
    QRgb best = 0;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    }
    return best;
}

inline bool containsColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK)) {
                return true;
            }
        }
    }
    return false;
}
