// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

// The printed layout at physical size: keys 19 mm apart with faces 14 mm square, worked out in
// the whole pixels of whatever surface it is drawn on. Every value follows from the surface's
// resolution alone, so the screen, a printer page and an image all agree to the pixel.
struct LayoutMetrics
{
    static constexpr int PitchMm = 19;
    static constexpr int FaceMm = 14;
    static constexpr int LabelPoints = 10;

    int faceX = 0;       // face (frame) width of a one-column key, in pixels
    int faceY = 0;       // face height of a one-row key
    int pitchX = 0;      // from one column to the next
    int pitchY = 0;      // from one row to the next
    int labelPixels = 0; // label character height: 10 points at the vertical resolution

    // Millimetres in pixels at dots per inch: the whole-number product times 1/25.4, truncated.
    static constexpr int toPixels(int dpi, int mm) { return int(double(dpi * mm) * (1 / 25.4)); }
    static LayoutMetrics forResolution(int dpiX, int dpiY);

    // The space between neighbouring faces, which is also the margin before the first column
    // and above the first row.
    QSize gap() const { return QSize(pitchX - faceX, pitchY - faceY); }
    // Where the layout of so many columns and rows ends, from the surface's origin.
    QSize extent(int columns, int rows) const { return QSize(columns * pitchX, rows * pitchY); }
    // The face of a key at column, row spanning colSpan by rowSpan cells: from the left of its
    // first face to the pitch line after its last column, and likewise downwards, so a merged
    // key also covers the gaps between the faces it replaces.
    QRect frame(int column, int row, int colSpan, int rowSpan) const;
    // Where its label lines go.
    QRect textBox(int column, int row, int colSpan, int rowSpan) const;
};
