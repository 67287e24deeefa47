// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/KeyCell.h"

#include <QByteArray>
#include <QtGlobal>

// One key stroke as the keyboard program sees it: the set-1 scan byte and extended flag that a
// PC reports for the key, and the modifier states at the moment it went down.
struct KeyStroke
{
    quint8 scan = 0;
    bool extended = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool numLock = false; // toggled on

    bool operator==(const KeyStroke &) const = default;
};

namespace CodeGroup {

// Shift, Ctrl and Alt of either side: pressed alone they are never recorded; they only show in
// the groups of the keys pressed with them.
bool isModifierScan(quint8 scan);

// The set-2 code of Pause, which is also Num Lock's.
inline constexpr quint8 PauseCode = 0x77;

// Whether the key with this set-2 code goes behind a prefix (E0, or E1 14 for Pause). Windows
// reports Num Lock as the extended form of scan 45 and Pause as the plain one, the other way
// round from the codes the keyboard sends for them.
inline bool isPrefixed(quint8 code, bool extended)
{
    return code == PauseCode ? !extended : extended;
}

// Whether adding more bytes to listed ones stays within a key's codes, which always leave room
// for the end mark. Groups go in whole or not at all.
inline bool fits(qsizetype listed, qsizetype adding)
{
    return listed + adding <= KeyCell::MaxCodes;
}

} // namespace CodeGroup

// The whole make-and-break group in scan code set 2 for one stroke, with the modifiers pressed
// around it (always as the left-hand ones) and the fake shifts that a real keyboard sends
// around its extended keys. Empty when the keyboard has no code for the key.
QByteArray MakeCodes(const KeyStroke &stroke);
