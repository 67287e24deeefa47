// SPDX-License-Identifier: MIT
#include "ToolPicture.h"

#include <QPalette>
#include <QPixmap>

namespace ToolPicture {

QImage recoloured(const QImage &picture, const QColor &lines)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb ink = lines.rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (row[x] == black)
                row[x] = ink;
    }
    return out;
}

QImage doubled(const QImage &picture)
{
    const QImage in = picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(in.size() * 2, QImage::Format_ARGB32);
    const int w = in.width(), h = in.height();
    // Outside the picture every neighbour counts as the pixel itself.
    const auto at = [&](int x, int y, QRgb self) {
        return x < 0 || y < 0 || x >= w || y >= h ? self : in.pixel(x, y);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = in.pixel(x, y);
            const QRgb up = at(x, y - 1, p), down = at(x, y + 1, p);
            const QRgb left = at(x - 1, y, p), right = at(x + 1, y, p);
            const bool apart = up != down && left != right;
            out.setPixel(2 * x, 2 * y, apart && left == up ? up : p);
            out.setPixel(2 * x + 1, 2 * y, apart && up == right ? right : p);
            out.setPixel(2 * x, 2 * y + 1, apart && left == down ? left : p);
            out.setPixel(2 * x + 1, 2 * y + 1, apart && down == right ? right : p);
        }
    }
    return out;
}

QIcon icon(const QString &path, const QPalette &palette)
{
    const QImage picture = recoloured(QImage(path), palette.color(QPalette::ButtonText));
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(picture));
    QPixmap large = QPixmap::fromImage(doubled(picture));
    large.setDevicePixelRatio(2);
    icon.addPixmap(large);
    return icon;
}

} // namespace ToolPicture
