// SPDX-License-Identifier: MIT
#include "ColorValue.h"

#include <algorithm>
#include <cmath>

namespace ColorValue {

namespace {

struct SystemColor
{
    const char *name;         // as the desktop's programmers know it; none for an unused number
    QPalette::ColorRole role; // the palette role that plays its part here
};

// The desktop's system colours, by number.
constexpr SystemColor SystemColors[] = {
    {"scrollBar", QPalette::Mid},                   // 0
    {"background", QPalette::Dark},                 // 1 desktop background
    {"activeCaption", QPalette::Highlight},         // 2
    {"inactiveCaption", QPalette::Mid},             // 3
    {"menu", QPalette::Window},                     // 4
    {"window", QPalette::Base},                     // 5 window background
    {"windowFrame", QPalette::Shadow},              // 6
    {"menuText", QPalette::WindowText},             // 7
    {"windowText", QPalette::WindowText},           // 8
    {"captionText", QPalette::HighlightedText},     // 9
    {"activeBorder", QPalette::Button},             // 10
    {"inactiveBorder", QPalette::Button},           // 11
    {"appWorkspace", QPalette::Dark},               // 12
    {"highlight", QPalette::Highlight},             // 13
    {"highlightText", QPalette::HighlightedText},   // 14
    {"buttonFace", QPalette::Button},               // 15
    {"buttonShadow", QPalette::Dark},               // 16
    {"grayText", QPalette::PlaceholderText},        // 17
    {"buttonText", QPalette::ButtonText},           // 18
    {"inactiveCaptionText", QPalette::Text},        // 19
    {"buttonHighlight", QPalette::Light},           // 20
    {"3dDarkShadow", QPalette::Shadow},             // 21
    {"3dLight", QPalette::Midlight},                // 22
    {"infoText", QPalette::ToolTipText},            // 23
    {"infoBackground", QPalette::ToolTipBase},      // 24
    {nullptr, QPalette::Button},                    // 25 unused by the desktop
    {"hotLight", QPalette::Link},                   // 26 hot-tracked item
    {"gradientActiveCaption", QPalette::Highlight}, // 27
    {"gradientInactiveCaption", QPalette::Mid},     // 28
    {"menuHighlight", QPalette::Highlight},         // 29
    {"menuBar", QPalette::Window},                  // 30
};
constexpr quint32 SystemCount = std::size(SystemColors);

// The system colour a value names, or none.
const SystemColor *systemColor(quint32 value)
{
    if ((value & 0xFFFFFF00) != SystemFlag || (value & 0xFF) >= SystemCount)
        return nullptr;
    return &SystemColors[value & 0xFF];
}

} // namespace

QColor resolve(quint32 value, const QPalette &palette)
{
    if (const SystemColor *system = systemColor(value))
        return palette.color(QPalette::Active, system->role);
    // Anything else, including values no known writer produces, is drawn from its low 24 bits.
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 fromRgb(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

QString systemColorName(quint32 value)
{
    const SystemColor *system = systemColor(value);
    return system && system->name ? QString::fromLatin1(system->name) : QString();
}

std::optional<quint32> systemColorNamed(QStringView name)
{
    for (quint32 n = 0; n < SystemCount; ++n)
        if (SystemColors[n].name && name == QLatin1String(SystemColors[n].name))
            return SystemFlag | n;
    return std::nullopt;
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](float v) {
            return v <= 0.04045f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        const QColor rgb = c.toRgb();
        return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
               0.0722 * linear(rgb.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace ColorValue
