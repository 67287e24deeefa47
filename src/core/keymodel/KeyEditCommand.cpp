// SPDX-License-Identifier: MIT
#include "KeyEditCommand.h"

#include "KeyGrid.h"

KeyEditCommand::KeyEditCommand(KeyGrid &grid, const QString &text, const QList<KeyCell> &before,
                               Counts counts)
    : QUndoCommand(text), m_grid(grid), m_counts(counts)
{
    for (int i = 0; i < grid.count(); ++i) {
        if (before.at(i) == grid.cell(i))
            continue;
        m_indices.append(i);
        m_before.append(before.at(i));
        m_after.append(grid.cell(i));
    }
}

void KeyEditCommand::undo()
{
    m_grid.setCells(m_indices, m_before);
}

void KeyEditCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    m_grid.setCells(m_indices, m_after);
}
