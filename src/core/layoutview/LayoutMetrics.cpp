// SPDX-License-Identifier: MIT
#include "LayoutMetrics.h"

#include "keymodel/KeyFace.h"

LayoutMetrics LayoutMetrics::forResolution(int dpiX, int dpiY)
{
    LayoutMetrics m;
    m.faceX = toPixels(dpiX, FaceMm);
    m.faceY = toPixels(dpiY, FaceMm);
    m.pitchX = toPixels(dpiX, PitchMm);
    m.pitchY = toPixels(dpiY, PitchMm);
    // Points to pixels to the nearest whole pixel, halves rounded up.
    m.labelPixels = (LabelPoints * dpiY + 36) / 72;
    return m;
}

QRect LayoutMetrics::frame(int column, int row, int colSpan, int rowSpan) const
{
    const QPoint topLeft(pitchX * (column + 1) - faceX, pitchY * (row + 1) - faceY);
    const QPoint end(pitchX * (column + colSpan), pitchY * (row + rowSpan)); // exclusive
    return QRect(topLeft, end - QPoint(1, 1));
}

QRect LayoutMetrics::textBox(int column, int row, int colSpan, int rowSpan) const
{
    // The text box sits inside a face's frame as it does on the main window.
    using KeyFace::FrameMargin;
    return frame(column, row, colSpan, rowSpan)
        .adjusted(FrameMargin, FrameMargin, -FrameMargin, -FrameMargin);
}
