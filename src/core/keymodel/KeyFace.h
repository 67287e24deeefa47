// SPDX-License-Identifier: MIT
#pragma once

#include "LabelCodePage.h"

#include <QColor>
#include <QRect>
#include <QRgb>
#include <QStringList>

class QPainter;
class QPalette;
struct KeyCell;

// How a key's face looks, drawn the same on any surface: the main window, an image, the layout
// view and the printed page. The caller chooses the frame colour (the painter's pen) and the
// label font (the painter's font); the face takes everything else from the cell.
namespace KeyFace {

// Labels are written in the desktop's window-text colour where it stands out from the face.
inline constexpr quint32 LabelColor = 0x80000008;
// The least contrast a label keeps with its face, whatever the desktop's colours.
inline constexpr double LeastLabelContrast = 4.5;
// The grey frame of a key on the main window.
inline constexpr QRgb ScreenFrame = 0x808080;
// The frame lies this far outside the text box, with the fill between them, on every surface.
inline constexpr int FrameMargin = 2;

// The colour a label is written in on a face: the window-text colour, unless that would fall
// short of the least contrast with the face (a dark desktop's light text on a white or yellow
// key); then black or white, whichever stands out more.
QColor labelColor(const QColor &face, const QPalette &palette);

// Where the label goes on the main window: 3 pixels in from the cell's outer edge, leaving room
// for the one-pixel edge, the frame and one pixel of fill.
QRect screenTextBox(const QSize &cellSize);

// The lines a label is drawn as. Lines break at the character "|" only: in Shift-JIS the byte
// 0x7C is also the second half of some double-byte characters, which must stay whole.
QStringList labelLines(const QByteArray &caption, const LabelCodec &codec);

// Draws the face of a visible cell: the frame 2 pixels outside textBox in the painter's pen
// colour, the fill inside it in the cell's colour (system colours taken from palette), and the
// label's lines one line height apart from the top-left of textBox, each clipped to its line
// and the last cut at the bottom of textBox. A hidden cell draws nothing. The painter's pen is
// left as it was and its brush hollow.
void DrawFace(QPainter &canvas, const QRect &textBox, const KeyCell &cell, const QPalette &palette,
              const LabelCodec &codec = LabelCodePage::current());

} // namespace KeyFace
