#pragma once

#include "LayoutTable.h"
#include "Looks.h"

#include <QFont>
#include <QWidget>

// Builds one control of the main window from its row in the layout table:
// the widget of its kind with its name, geometry, text, picture, font,
// colours, and what a screen reader says of it. Tab order and event wiring
// are the window's.
namespace WindowControls {

QWidget* create(const ControlRow& row, QWidget* container);

// The font of a look at its point size, held in pixels of 1/96 inch like
// the geometry, so text and layout scale together.
QFont fontOf(const FontLook& look);

}  // namespace WindowControls
