// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCodeIndex.h"
#include "KeyTestClock.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>

#include <memory>

class KeyGrid;

// One press of a key on the keyboard under test, as the PC received it: a programmed key sends
// its whole sequence at once, so strokes that follow each other closely belong together.
struct TestedSequence
{
    QDateTime at; // when its first stroke arrived
    QByteArray codes;
    int repeats = 0; // how often the same codes came again at once, as a held key sends them
};

// A key test over the layout in a key grid: the strokes received, grouped into sequences, and
// which keys of the layout those sequences are. The lookup follows the grid, so a key edited or
// a layout loaded during the test is matched as it now is; what has been seen is always worked
// out from the sequences and the layout as they stand.
//
// A flood of strokes must not grow one line without end: a sequence ends once another stroke
// would take it past the most codes a key can hold, and a stroke that repeats the whole sequence
// at once (a held key), when no key begins with the two, is counted on it instead of added.
class KeyTestSession : public QObject
{
    Q_OBJECT
public:
    // The longest pause between two strokes of one sequence. The keyboard sends a programmed
    // key's strokes within a few milliseconds of each other; a person needs far longer than
    // this to press the next key.
    static constexpr qint64 SequenceGapMs = 150;

    explicit KeyTestSession(const KeyGrid &grid, QObject *parent = nullptr);
    ~KeyTestSession() override;

    void setClock(std::unique_ptr<KeyTestClock> clock);
    const KeyGrid &grid() const { return m_grid; }
    const KeyCodeIndex &index() const { return m_index; }

    // One stroke's code group, as the capture made it.
    void addGroup(QByteArrayView group);
    // Forgets every sequence.
    void clear();

    const QList<TestedSequence> &sequences() const { return m_sequences; }
    // The keys of the layout that send exactly this sequence.
    QList<int> keysOf(const TestedSequence &sequence) const;
    // The keys the last sequence matched: the ones to point out on the layout.
    QList<int> lastKeys() const;
    // Keys with codes that some sequence matched, and those that none did; in index order.
    QList<int> seenKeys() const;
    QList<int> unseenKeys() const;

signals:
    // A stroke began a new sequence.
    void sequenceAdded();
    // A stroke was added to the last sequence.
    void sequenceExtended();
    // The sequences were cleared or the layout changed: every line may read differently.
    void reset();

private:
    void rebuild();
    // Whether group, come right after the last sequence's last stroke, repeats it.
    bool repeatsLast(QByteArrayView group) const;
    // The keys seen by every sequence but the last, worked out again from them.
    void recountSeen();

    const KeyGrid &m_grid;
    std::unique_ptr<KeyTestClock> m_clock;
    KeyCodeIndex m_index;
    QList<TestedSequence> m_sequences;
    qint64 m_lastStrokeMs = 0;
    QSet<int> m_seenBefore; // keys matched by the sequences before the last
};
