// SPDX-License-Identifier: MIT
#include "KeyTestSession.h"

#include "keymodel/KeyGrid.h"

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
    recountSeen();
    emit reset();
}

void KeyTestSession::addGroup(QByteArrayView group)
{
    if (group.isEmpty())
        return;
    const qint64 at = m_clock->elapsedMs();
    const bool soon = !m_sequences.isEmpty() && at - m_lastStrokeMs <= SequenceGapMs;
    m_lastStrokeMs = at;
    if (soon && repeatsLast(group)) {
        ++m_sequences.last().repeats;
        emit sequenceExtended();
        return;
    }
    if (soon && m_sequences.last().repeats == 0 &&
        m_sequences.last().codes.size() + group.size() <= KeyCell::MaxCodes) {
        m_sequences.last().codes += group;
        emit sequenceExtended();
        return;
    }
    if (!m_sequences.isEmpty())
        for (int key : keysOf(m_sequences.last()))
            m_seenBefore.insert(key);
    m_sequences.append({m_clock->now(), group.toByteArray()});
    emit sequenceAdded();
}

bool KeyTestSession::repeatsLast(QByteArrayView group) const
{
    QByteArray twice = m_sequences.last().codes;
    if (QByteArrayView(twice) != group)
        return false;
    twice += group;
    return !m_index.begunBy(twice);
}

void KeyTestSession::recountSeen()
{
    m_seenBefore.clear();
    for (qsizetype i = 0; i + 1 < m_sequences.size(); ++i)
        for (int key : keysOf(m_sequences.at(i)))
            m_seenBefore.insert(key);
}

void KeyTestSession::clear()
{
    m_sequences.clear();
    m_seenBefore.clear();
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
    QSet<int> seen = m_seenBefore;
    for (int key : lastKeys())
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
