// SPDX-License-Identifier: MIT
#include "LayoutView.h"

#include "keymodel/FaceFonts.h"
#include "keymodel/KeyFace.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"

#include <QPaintDevice>
#include <QPainter>

namespace LayoutView {

QFont labelFont(int pixels)
{
    QFont font;
    font.setFamilies(FaceFonts::labels());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

void DrawLayout(QPainter &canvas, const KeyGrid &grid, const QPalette &palette)
{
    const QPaintDevice *device = canvas.device();
    // Sized and drawn in the pixels that are really lit: on a screen scaled by a fraction a
    // logical pixel is no whole number of them, and faces, pitch and frame lines would come
    // out uneven.
    const qreal ratio = device->devicePixelRatioF();
    const LayoutMetrics m = LayoutMetrics::forResolution(qRound(device->logicalDpiX() * ratio),
                                                         qRound(device->logicalDpiY() * ratio));
    canvas.scale(1 / ratio, 1 / ratio);
    canvas.setFont(labelFont(m.labelPixels));
    canvas.setPen(Qt::black);

    const ProgramProfile &profile = grid.profile();
    // Last column first and the bottom row first, so a merged key is drawn after the cells
    // it covers.
    for (int column = profile.gridColumns - 1; column >= 0; --column) {
        for (int row = profile.gridRows - 1; row >= 0; --row) {
            const int index = grid.indexAt(column, row);
            if (index < 0)
                continue;
            const KeyCell &cell = grid.cell(index);
            KeyFace::DrawFace(canvas, m.textBox(column, row, cell.ColSpan, cell.RowSpan), cell,
                              palette);
        }
    }
}

} // namespace LayoutView
