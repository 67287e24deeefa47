// SPDX-License-Identifier: MIT
#include "KeyDocument.h"

#include "KeyClip.h"
#include "KeyEditCommand.h"
#include "KeyGrid.h"

#include <QSignalBlocker>
#include <QUndoStack>

#include <utility>

KeyDocument::KeyDocument(const ProgramProfile &profile, QObject *parent)
    : QObject(parent), m_grid(new KeyGrid(profile, this)), m_undoStack(new QUndoStack(this))
{
    connect(m_undoStack, &QUndoStack::indexChanged, this, &KeyDocument::updateModified);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, &KeyDocument::updateModified);
}

KeyDocument::~KeyDocument() = default;

void KeyDocument::record(const QString &text, Keep keep,
                         const std::function<bool(KeyGrid &)> &edit)
{
    const QList<KeyCell> before = m_grid->cells();
    bool counts = false;
    QList<KeyCell> after;
    {
        // The edit is worked out unannounced and taken back: the command makes it, the first
        // time as every time after, so the views hear of it once.
        const QSignalBlocker quiet(m_grid);
        counts = edit(*m_grid);
        after = std::exchange(m_grid->m_cells, before);
    }
    auto *command = new KeyEditCommand(*m_grid, text, before, after,
                                       counts ? KeyEditCommand::Counts::AsChange
                                              : KeyEditCommand::Counts::Quietly);
    if (keep == Keep::IfChanged && command->changesNothing()) {
        delete command;
        return;
    }
    m_undoStack->push(command);
}

void KeyDocument::setCaption(int index, const QByteArray &caption)
{
    record(tr("Set Label"), Keep::Always, [&](KeyGrid &g) {
        g.setCaption(index, caption);
        return true;
    });
}

void KeyDocument::setColor(const QList<int> &indices, quint32 color)
{
    record(tr("Set Color"), Keep::Always, [&](KeyGrid &g) {
        for (int i : indices)
            g.setColor(i, color);
        return true;
    });
}

void KeyDocument::clearKeys(const QList<int> &indices, Clearing why)
{
    const bool one = indices.size() == 1;
    const QString text = why == Clearing::Cut ? (one ? tr("Cut Key") : tr("Cut Keys"))
                                              : (one ? tr("Clear Key") : tr("Clear Keys"));
    record(text, Keep::IfChanged,
           [&](KeyGrid &g) {
               for (int i : indices)
                   g.clearContent(i);
               return true;
           });
}

void KeyDocument::swapKeys(int a, int b)
{
    record(tr("Swap Keys"), Keep::IfChanged, [&](KeyGrid &g) {
        const KeyCell first = g.cell(a);
        g.setContent(a, g.cell(b));
        g.setContent(b, first);
        return true;
    });
}

int KeyDocument::paste(int at, const KeyClip &clip)
{
    const QList<int> targets = clip.targets(m_grid->cells(), at);
    record(clip.keys.size() == 1 ? tr("Paste Key") : tr("Paste Keys"), Keep::IfChanged,
           [&](KeyGrid &g) {
               for (qsizetype k = 0; k < targets.size(); ++k)
                   if (targets[k] >= 0)
                       g.setContent(targets[k], clip.keys[k].content);
               return true;
           });
    return int(targets.count(-1));
}

void KeyDocument::setCodes(int index, QByteArrayView codes)
{
    record(tr("Set Codes"), Keep::Always, [&](KeyGrid &g) {
        g.setCodes(index, codes);
        return true;
    });
}

bool KeyDocument::MergeKey(int selected, int clicked)
{
    bool merged = false;
    record(tr("Merge Keys"), Keep::IfChanged, [&](KeyGrid &g) {
        merged = g.MergeKey(selected, clicked);
        return merged;
    });
    return merged;
}

bool KeyDocument::SplitKey(int index)
{
    const KeyCell &key = m_grid->cell(index);
    const bool merged = key.ColSpan != 1 || key.RowSpan != 1;
    record(merged ? tr("Split Key") : tr("Reset Key"), Keep::IfChanged,
           [&](KeyGrid &g) { return g.SplitKey(index); });
    return merged;
}

QByteArray KeyDocument::storeEndMark(int index)
{
    return m_grid->storeEndMark(index);
}

void KeyDocument::clear()
{
    m_grid->resetAll();
    m_undoStack->clear();
    m_inFile = false;
    updateModified();
}

void KeyDocument::load(const QList<KeyCell> &cells, const QString &path)
{
    m_grid->assign(cells);
    m_undoStack->clear();
    m_filePath = path;
    m_inFile = true;
    updateModified();
}

void KeyDocument::markSaved(const QString &path)
{
    m_undoStack->setClean();
    m_filePath = path;
    m_inFile = true;
    updateModified();
}

bool KeyDocument::differsFromSaved() const
{
    // An edit after an undo drops the saved state from the history: it cannot come back.
    const int saved = m_undoStack->cleanIndex();
    if (saved < 0)
        return true;
    const int now = m_undoStack->index();
    // Going back past the saved state undoes edits the file holds, a reset of a single key
    // among them: the cells then differ from the file, however they got there.
    if (now < saved)
        return true;
    // Going forward, only edits that count do: a reset made since leaves the flag alone.
    for (int i = saved; i < now; ++i)
        if (static_cast<const KeyEditCommand *>(m_undoStack->command(i))->countsAsChange())
            return true;
    return false;
}

void KeyDocument::updateModified()
{
    const bool modified = differsFromSaved();
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}
