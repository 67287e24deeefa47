// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringView>

#include <optional>

// A key's colour as the configuration file stores it: 0x00BBGGRR, or 0x800000nn naming one of
// the desktop's system colours, which follows the current palette when drawn.
namespace ColorValue {

inline constexpr quint32 SystemFlag = 0x80000000;

QColor resolve(quint32 value, const QPalette &palette);
quint32 fromRgb(const QColor &color);
// How far apart two colours are to the eye, from 1 (the same) to 21 (black and white): the
// ratio of their relative luminances, each plus 0.05, by the usual accessibility rules.
double contrastRatio(const QColor &a, const QColor &b);

// The name of the system colour a value stands for ("buttonFace" for 0x8000000F), as the
// desktop's programmers know it; empty for any other value.
QString systemColorName(quint32 value);
// The value of the system colour with that name.
std::optional<quint32> systemColorNamed(QStringView name);

} // namespace ColorValue
