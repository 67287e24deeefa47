// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QList>
#include <QUndoCommand>

class KeyGrid;

// One edit of the key grid as one step of the history: the cells it changed, as they were
// before and after. A merge that took over a merged neighbour thus undoes in one step, with
// every cell it hid or reset, and the bytes past a key's codes come back exactly as they were,
// so that a file saved after an undo is the file saved before the edit.
class KeyEditCommand : public QUndoCommand
{
public:
    // Whether the edit counts as a change of the configuration, the one that asks before the
    // layout is closed. Resetting a single key by Shift+click never has.
    enum class Counts
    {
        AsChange,
        Quietly
    };

    // Every cell as it is before the edit and as the edit leaves it; the edit is made when the
    // command is pushed.
    KeyEditCommand(KeyGrid &grid, const QString &text, const QList<KeyCell> &before,
                   const QList<KeyCell> &after, Counts counts);

    void undo() override;
    void redo() override;

    bool countsAsChange() const { return m_counts == Counts::AsChange; }
    // Whether the edit left every cell as it was (a label confirmed unchanged, say).
    bool changesNothing() const { return m_indices.isEmpty(); }

private:
    KeyGrid &m_grid;
    Counts m_counts;
    QList<int> m_indices;
    QList<KeyCell> m_before;
    QList<KeyCell> m_after;
};
