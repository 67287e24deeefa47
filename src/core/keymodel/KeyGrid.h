// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QByteArrayView>
#include <QList>
#include <QObject>

struct ProgramProfile;

// The whole key grid of one program: 84 keyboard keys in 12 columns of 7, or the 7 key-lock
// positions. It owns the cells for the life of the program; the main window shows them, files
// are written from them, the programming run and the layout view read them. Every change comes
// through the layout's document and is announced with the indices of the cells it touched, so a
// view repaints only those.
class KeyGrid : public QObject
{
    Q_OBJECT
public:
    explicit KeyGrid(const ProgramProfile &profile, QObject *parent = nullptr);

    const ProgramProfile &profile() const { return m_profile; }
    int count() const { return int(m_cells.size()); }
    const KeyCell &cell(int index) const { return m_cells.at(index); }
    const QList<KeyCell> &cells() const { return m_cells; }

    int column(int index) const;
    int row(int index) const;
    // The cell at a grid position, or -1 outside the grid.
    int indexAt(int column, int row) const;
    // Every cell a key covers, the key itself first, column by column.
    QList<int> coveredBy(int index) const;

signals:
    void cellsChanged(const QList<int> &indices);

private:
    // Only the document changes cells, so that every change can be recorded and announced.
    friend class KeyDocument;
    friend class KeyEditCommand;

    void resetAll();
    // Takes over a loaded file's cells, all at once.
    void assign(const QList<KeyCell> &cells);
    // Puts the cells at indices back as they are given, all at once: how an edit is undone.
    void setCells(const QList<int> &indices, const QList<KeyCell> &cells);

    void setCaption(int index, const QByteArray &caption);
    void setColor(int index, quint32 color);
    // Replaces the used codes; the bytes past them stay as they were.
    void setCodes(int index, QByteArrayView codes);
    // A key's content is its label, colour and codes; its spans and visibility stay with the
    // layout. Gives the key at index the content of from.
    void setContent(int index, const KeyCell &from);
    // The key's default label, the face colour and no codes; its spans stay.
    void clearContent(int index);
    // Stores the end mark the keyboard expects after a key's codes and returns the codes with
    // it; a cell that did not hold it yet is announced as changed.
    QByteArray storeEndMark(int index);

    // Grows the key at selected over the neighbour clicked, to the right (level with its top
    // row) or downward (in its column). Returns whether it merged.
    bool MergeKey(int selected, int clicked);
    // Gives the cells a merged key covered back as single keys and resets the key itself.
    // Returns whether the key had covered more than its own cell.
    bool SplitKey(int index);

    void resetCell(int index);
    void showCovered(int index);

    const ProgramProfile &m_profile;
    QList<KeyCell> m_cells;
};
