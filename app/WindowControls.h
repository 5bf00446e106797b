#pragma once

#include "app/LayoutTable.h"
#include "app/Looks.h"

#include <QFont>
#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;

namespace app {

class PictureBox;

// Every control of the main window, as the layout table's rows made them.
struct WindowParts {
    std::array<QWidget*, kControls.size()> all{};        // in table order
    std::array<QLineEdit*, kInputCount> inputs{};        // by InputBox
    std::array<QLineEdit*, kReadoutCount> readouts{};    // by ReadoutBox
    std::array<QPushButton*, kCommandCount> commands{};  // by Command
    PictureBox* chartPanel = nullptr;
    PictureBox* plotArea = nullptr;

    QLineEdit* input(InputBox box) const { return inputs[static_cast<std::size_t>(box)]; }
    QLineEdit* readout(calc::ReadoutBox box) const {
        return readouts[static_cast<std::size_t>(box)];
    }
    QPushButton* command(Command c) const { return commands[static_cast<std::size_t>(c)]; }
};

// Builds the controls of the main window from the layout table, in table
// order, on the window: each the widget of its kind with its name, geometry,
// text, picture, font, colours, and what a screen reader says of it. Tab
// order and event wiring are the window's.
WindowParts createWindowControls(QWidget* window);

// The font of a look at its point size, held in pixels of 1/96 inch like
// the geometry, so text and layout scale together.
QFont fontOf(const FontLook& look);
// The font a row's control is set in (its look has one): the look's, the
// chart panel's as narrow as its tick labels need.
QFont fontOf(const ControlRow& row);

}  // namespace app
