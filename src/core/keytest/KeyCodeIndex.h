// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/KeyCell.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>

// Which keys of a layout send a given run of code bytes. A key sends what the keyboard holds
// for it: its codes up to the first end mark, since programming stops there. Keys covered by a
// merged neighbour are no keys of their own and are left out, whatever their cells hold.
class KeyCodeIndex
{
public:
    KeyCodeIndex() = default;
    explicit KeyCodeIndex(const QList<KeyCell> &cells);

    // What the keyboard sends for the key in this cell; empty for a key without codes.
    static QByteArrayView sentCodes(const KeyCell &cell);

    // The keys whose codes are exactly these bytes, in index order; none for no bytes.
    QList<int> keysSending(QByteArrayView codes) const;
    // Whether some key's codes begin with these bytes (or are these bytes).
    bool begunBy(QByteArrayView codes) const;
    // Every key that sends something, in index order.
    const QList<int> &keysWithCodes() const { return m_keys; }
    // The sets of keys that send the same codes as another key: nobody can tell those apart by
    // what arrives, neither a tester nor the till. Each set in index order, the sets ordered by
    // their first key.
    const QList<QList<int>> &identicalCodes() const { return m_identical; }

private:
    QHash<QByteArray, QList<int>> m_byCodes;
    QList<int> m_keys;
    QList<QList<int>> m_identical;
};
