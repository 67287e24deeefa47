// SPDX-License-Identifier: MIT
#include "KeyCodeIndex.h"

#include <algorithm>

KeyCodeIndex::KeyCodeIndex(const QList<KeyCell> &cells)
{
    for (int i = 0; i < cells.size(); ++i) {
        const KeyCell &cell = cells.at(i);
        if (!cell.Visible)
            continue;
        const QByteArrayView codes = sentCodes(cell);
        if (codes.isEmpty())
            continue;
        m_keys.append(i);
        m_byCodes[codes.toByteArray()].append(i);
    }
    for (const QList<int> &keys : std::as_const(m_byCodes))
        if (keys.size() > 1)
            m_identical.append(keys);
    std::sort(m_identical.begin(), m_identical.end(),
              [](const QList<int> &a, const QList<int> &b) { return a.first() < b.first(); });
}

QByteArrayView KeyCodeIndex::sentCodes(const KeyCell &cell)
{
    const QByteArrayView codes = cell.usedCodes();
    const qsizetype end = codes.indexOf(char(KeyCell::EndMark));
    return end < 0 ? codes : codes.first(end);
}

QList<int> KeyCodeIndex::keysSending(QByteArrayView codes) const
{
    if (codes.isEmpty())
        return {};
    return m_byCodes.value(codes.toByteArray());
}

bool KeyCodeIndex::begunBy(QByteArrayView codes) const
{
    for (auto it = m_byCodes.cbegin(); it != m_byCodes.cend(); ++it)
        if (it.key().startsWith(codes))
            return true;
    return false;
}
