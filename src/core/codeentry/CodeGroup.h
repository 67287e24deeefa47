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
