#pragma once

// Helpers shared by the window tests: finding controls by the names the layout
// table gives them, the colour that covers most of a picture, and texts
// printed readably, and the input texts and read-outs of a calculation.

#include "app/LayoutTable.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"

#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

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

// The texts the window opens with, but for the boxes given, typed over.
inline calc::InputTexts
initialTextsWith(std::initializer_list<std::pair<calc::InputBox, std::string_view>> typed = {}) {
    calc::InputTexts texts = calc::initialTexts();
    for (const auto& [which, text] : typed) {
        texts[static_cast<std::size_t>(which)] = text;
    }
    return texts;
}

// Read-out texts, by ReadoutBox.
using Readouts = std::array<std::string, app::kReadoutCount>;

// What the read-out boxes show after a click on the texts the window opens
// with, as the calculation gives them (its own tests pin the figures).
inline Readouts defaultReadouts() {
    const auto shown = calc::shownDesignFor(calc::initialTexts());
    Readouts texts;
    for (const calc::DisplayText& readout : shown.value().readouts) {
        texts[static_cast<std::size_t>(readout.box)] = readout.text;
    }
    return texts;
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
