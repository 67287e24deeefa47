// SPDX-License-Identifier: MIT
#pragma once

#include "LayoutMetrics.h"

#include <QFont>

class KeyGrid;
class QPainter;
class QPalette;

// The whole keyboard layout at physical size on any surface: the view window, a printer page,
// a PDF or an image. Nothing but the key faces is drawn: no edges, no selection, no title.
namespace LayoutView {

// The label font at a character height in pixels: the desktop's sans-serif face, with the
// Japanese Gothic for what it lacks.
QFont labelFont(int pixels);

// Draws every visible key of the grid with its face in black frame and its labels 10 points
// high, all sized from the resolution of the device's own pixels (its logical resolution times
// its pixel ratio) and drawn on them; the origin is the canvas's.
// Hidden cells, covered by a merged key, leave no trace. System colours are taken from
// palette. The canvas is left with the label font, the black pen and a scale of one device
// pixel per unit.
void DrawLayout(QPainter &canvas, const KeyGrid &grid, const QPalette &palette);

} // namespace LayoutView
