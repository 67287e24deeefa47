// SPDX-License-Identifier: MIT
#include "KeyTestSession.h"

#include "keymodel/KeyGrid.h"

#include <QSet>

KeyTestSession::KeyTestSession(const KeyGrid &grid, QObject *parent)
    : QObject(parent), m_grid(grid), m_clock(std::make_unique<SystemKeyTestClock>()),
      m_index(grid.cells())
{
    connect(&grid, &KeyGrid::cellsChanged, this, &KeyTestSession::rebuild);
}

KeyTestSession::~KeyTestSession() = default;

void KeyTestSession::setClock(std::unique_ptr<KeyTestClock> clock)
{
    m_clock = std::move(clock);
}

void KeyTestSession::rebuild()
{
    m_index = KeyCodeIndex(m_grid.cells());
    emit reset();
}

void KeyTestSession::addGroup(QByteArrayView group)
{
    if (group.isEmpty())
        return;
    const qint64 at = m_clock->elapsedMs();
    const bool sameSequence = !m_sequences.isEmpty() && at - m_lastStrokeMs <= SequenceGapMs;
    m_lastStrokeMs = at;
    if (sameSequence) {
        m_sequences.last().codes += group;
        emit sequenceExtended();
    } else {
        m_sequences.append({m_clock->now(), group.toByteArray()});
        emit sequenceAdded();
    }
}

void KeyTestSession::clear()
{
    m_sequences.clear();
    emit reset();
}

QList<int> KeyTestSession::keysOf(const TestedSequence &sequence) const
{
    return m_index.keysSending(sequence.codes);
}

QList<int> KeyTestSession::lastKeys() const
{
    return m_sequences.isEmpty() ? QList<int>() : keysOf(m_sequences.last());
}

QList<int> KeyTestSession::seenKeys() const
{
    QSet<int> seen;
    for (const TestedSequence &s : m_sequences)
        for (int key : keysOf(s))
            seen.insert(key);
    QList<int> keys;
    for (int key : m_index.keysWithCodes())
        if (seen.contains(key))
            keys.append(key);
    return keys;
}

QList<int> KeyTestSession::unseenKeys() const
{
    const QList<int> seen = seenKeys();
    QList<int> keys;
    for (int key : m_index.keysWithCodes())
        if (!seen.contains(key))
            keys.append(key);
    return keys;
}
