// SPDX-License-Identifier: MIT
#include "KeyEditCommand.h"

#include "KeyGrid.h"

KeyEditCommand::KeyEditCommand(KeyGrid &grid, const QString &text, const QList<KeyCell> &before,
                               const QList<KeyCell> &after, Counts counts)
    : QUndoCommand(text), m_grid(grid), m_counts(counts)
{
    for (int i = 0; i < grid.count(); ++i) {
        if (before.at(i) == after.at(i))
            continue;
        m_indices.append(i);
        m_before.append(before.at(i));
        m_after.append(after.at(i));
    }
}

void KeyEditCommand::undo()
{
    m_grid.setCells(m_indices, m_before);
}

void KeyEditCommand::redo()
{
    m_grid.setCells(m_indices, m_after);
}
