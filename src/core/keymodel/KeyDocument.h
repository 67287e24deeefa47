// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class KeyEditCommand;
struct KeyClip;
class KeyGrid;
class QUndoStack;
struct ProgramProfile;

// The layout being edited: the key grid, the file it was last loaded from or saved to, and its
// history. Every edit the user makes goes through here, so that each one can be undone and the
// changed flag can never be forgotten: the layout has changed when an edit that counts lies
// between what was last saved or loaded and it, or when it lies back in the history before that
// state; undoing or redoing back to that state clears the flag.
class KeyDocument : public QObject
{
    Q_OBJECT
public:
    explicit KeyDocument(const ProgramProfile &profile, QObject *parent = nullptr);
    ~KeyDocument() override;

    // What the layout holds; every change of it goes through the methods below.
    const KeyGrid &grid() const { return *m_grid; }
    QUndoStack &undoStack() const { return *m_undoStack; }
    // The file last loaded or saved, where the file dialogs start; New keeps it.
    const QString &filePath() const { return m_filePath; }
    // The file this layout was loaded from or saved to; none after New.
    QString layoutFile() const { return m_inFile ? m_filePath : QString(); }
    // The configuration differs from what was last saved or loaded (ConfigChanged).
    bool isModified() const { return m_modified; }

    // The edits, each one step of the history. Confirming a label, codes or a colour counts as
    // a change even when they come back the same.
    void setCaption(int index, const QByteArray &caption);
    void setColor(int index, quint32 color) { setColor(QList<int>{index}, color); }
    // One colour for many keys, in one step.
    void setColor(const QList<int> &indices, quint32 color);
    void setCodes(int index, QByteArrayView codes);
    // Shift+click on a neighbour of the selected key; returns whether it merged.
    bool MergeKey(int selected, int clicked);
    // Shift+click on the selected key. Splitting a merged key counts as a change; resetting a
    // single key does not, but can still be undone. Returns whether the key had been merged.
    bool SplitKey(int index);

    // The commands on several keys, each one step of the history, which sets the changed flag
    // when it changed anything. A key's content is its label, colour and codes; its span stays.
    //
    // Label, codes and colour back to each key's defaults; Cut does the same after copying.
    enum class Clearing
    {
        Clear,
        Cut
    };
    void clearKeys(const QList<int> &indices, Clearing why = Clearing::Clear);
    // The two keys trade their content.
    void swapKeys(int a, int b);
    // Puts the clip's keys down from the key at index at, as KeyClip::targets() places them.
    // Returns how many keys fell off the grid and were left out.
    int paste(int at, const KeyClip &clip);

    // Stores the end mark the keyboard expects after a key's codes and returns the codes with
    // it, for a programming run. The mark lies past the codes, so nobody sees it but the saved
    // file, which keeps it as files always have: it is no edit of the user's, enters no history
    // and leaves the changed flag alone, though the cell is announced as changed.
    QByteArray storeEndMark(int index);

    // New: every cell back to its default, a fresh history, nothing changed.
    void clear();
    // A file that passed its checks: its cells, a fresh history, nothing changed.
    void load(const QList<KeyCell> &cells, const QString &path);
    // The layout was written to path: this is now the state nothing differs from.
    void markSaved(const QString &path);

signals:
    void modifiedChanged(bool modified);

private:
    enum class Keep
    {
        Always,
        IfChanged
    };
    // Makes edit on the grid and records it; edit returns whether it counts as a change.
    void record(const QString &text, Keep keep, const std::function<bool(KeyGrid &)> &edit);
    bool differsFromSaved() const;
    void updateModified();

    KeyGrid *m_grid;
    QUndoStack *m_undoStack;
    QString m_filePath;
    bool m_inFile = false;
    bool m_modified = false;
};
