// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>

class QPalette;

// The tool-bar pictures as the desktop shows them. Drawn at 16 by 16 pixels in black lines and
// a few colours, they vanish on a dark theme's buttons and turn blocky when a 200 % scale
// doubles them. So their black lines take the button-text colour (black on a light desktop,
// where the pictures stay exactly as drawn), and a 32 by 32 version is worked out from the
// pixels with an edge-keeping scaler rather than by doubling each pixel.
namespace ToolPicture {

// The picture at path for the palette, at 1x and 2x.
QIcon icon(const QString &path, const QPalette &palette);
// The picture's black pixels in the given colour; every other pixel as it was.
QImage recoloured(const QImage &picture, const QColor &lines);
// Twice the size, each pixel made four: where two neighbours of a corner agree and the other
// two differ, that corner takes their colour, so diagonals stay diagonal (Scale2x).
QImage doubled(const QImage &picture);

} // namespace ToolPicture
