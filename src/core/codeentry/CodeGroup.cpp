// SPDX-License-Identifier: MIT
#include "CodeGroup.h"

#include "ScanTable.h"

#include <initializer_list>

namespace {

constexpr char Break = char(0xF0);
constexpr char Extended = char(0xE0);
constexpr char PausePrefix = char(0xE1);
constexpr char Shift = 0x12;
constexpr char Ctrl = 0x14;
constexpr char Alt = 0x11;

constexpr quint8 KeypadEnterCode = 0x5A;
constexpr quint8 BreakCode = 0x7E;
constexpr quint8 KeypadSlashCode = 0x4A;
constexpr quint8 PrintScreenCode = 0x7C;

} // namespace

bool CodeGroup::isModifierScan(quint8 scan)
{
    return scan == 0x2A || scan == 0x36 || scan == 0x1D || scan == 0x38;
}

QByteArray MakeCodes(const KeyStroke &stroke)
{
    const std::optional<quint8> found = ScanToCode(stroke.scan);
    if (!found)
        return {};
    const quint8 code = *found;
    const char c = char(code);

    const bool prefixed = CodeGroup::isPrefixed(code, stroke.extended);
    bool numLock = stroke.numLock;
    if (prefixed && code == KeypadSlashCode)
        numLock = false;
    if (prefixed && code == PrintScreenCode)
        numLock = !stroke.shift && !stroke.ctrl;
    const bool fakeShift = prefixed && code != CodeGroup::PauseCode && code != KeypadEnterCode &&
                           code != BreakCode && stroke.shift != numLock;

    QByteArray g;
    g.reserve(19);
    const auto put = [&g](std::initializer_list<char> bytes) {
        for (char b : bytes)
            g += b;
    };
    // Press part: modifiers in the order Shift, Ctrl, Alt, then the key.
    if (stroke.shift)
        put({Shift});
    if (stroke.ctrl)
        put({Ctrl});
    if (stroke.alt)
        put({Alt});
    if (fakeShift)
        stroke.shift ? put({Extended, Break, Shift}) : put({Extended, Shift});
    if (prefixed)
        code == CodeGroup::PauseCode ? put({PausePrefix, Ctrl}) : put({Extended});
    put({c});

    // Release part: the key, then the modifiers in reverse order.
    if (prefixed)
        code == CodeGroup::PauseCode ? put({PausePrefix, Break, Ctrl}) : put({Extended});
    put({Break, c});
    if (fakeShift)
        numLock ? put({Extended, Break, Shift}) : put({Extended, Shift});
    if (stroke.alt)
        put({Break, Alt});
    if (stroke.ctrl)
        put({Break, Ctrl});
    if (stroke.shift)
        put({Break, Shift});
    return g;
}
