#pragma once

#include <QColor>
#include <QPalette>

// A key's colour as the configuration file stores it: 0x00BBGGRR, or 0x800000nn naming one of
// the desktop's system colours, which follows the current palette when drawn.
namespace ColorValue {

inline constexpr quint32 SystemFlag = 0x80000000;

QColor resolve(quint32 value, const QPalette &palette);
quint32 fromRgb(const QColor &color);
// How far apart two colours are to the eye, from 1 (the same) to 21 (black and white): the
// ratio of their relative luminances, each plus 0.05, by the usual accessibility rules.
double contrastRatio(const QColor &a, const QColor &b);

} // namespace ColorValue
