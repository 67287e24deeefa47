// SPDX-License-Identifier: MIT
#pragma once

#include "Command.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPoint>
#include <QString>

#include <array>

// The facts that tell the keyboard program and the key-lock program apart. Both programs are
// built from the same sources; only the profile handed to the main window differs. How their
// windows look lies with the widgets.
struct ProgramProfile
{
    // The key grid and what each cell means to the keyboard.
    int cellCount;   // cells in the key grid
    int gridColumns; // grid extent that merged keys must stay inside
    int gridRows;
    int defaultLabelBase; // the default label is index + base
    int keyNumberBase;    // key number in packets is index + base
    // The keyboard program rather than the key lock's: its cells merge by Shift+click, and it
    // has the layout view and print.
    bool keyboard;

    // The configuration file.
    QByteArray magic;   // first four bytes of a configuration file
    QString extension;  // configuration file extension, without the dot
    QString openFilter; // "description|pattern", as the file dialogs take it
    QString saveFilter;

    // The key lock's positions from left to right as they stand, in the order the switch turns
    // through them; empty where the cells stand in their grid's columns and rows.
    QList<int> rowOrder;
    // The commands the program has.
    QList<Command> commands;

    // Texts, in English; shown() gives them in the user's language.
    QString name;                // window caption and message-box title
    QString description;         // what the program is for, in its command-line help
    QString loadOpenFailureText; // the Load command's wording when the file cannot be opened

    static QString shown(const QString &text);

    static const ProgramProfile &tavrin();
    static const ProgramProfile &quelda();
    // Every program of the pair, the keyboard's first.
    static const std::array<const ProgramProfile *, 2> &all();
    // The program whose configuration files begin as bytes do, or none.
    static const ProgramProfile *forFileStart(QByteArrayView bytes);

    qint64 fileSize() const;
    // Where a cell stands among the others, in cells from the top-left one: its column and row
    // on the keyboard, its place along the row on the key lock.
    QPoint place(int index) const;
    int column(int index) const { return index / gridRows; }
    int row(int index) const { return index % gridRows; }
    QByteArray defaultLabel(int index) const;
    // Whether number is the key number of one of this program's cells in packets.
    bool hasKeyNumber(int number) const
    {
        return number >= keyNumberBase && number < keyNumberBase + cellCount;
    }
    // The number people know a key by: the one its face shows by default (1 to 84 on the
    // keyboard, 0 to 6 on the key lock). Files and packets keep the index.
    int keyNumber(int index) const { return index + defaultLabelBase; }
    // The cell a key number names, or -1 for a number no key has.
    int indexOfKey(int number) const
    {
        const int index = number - defaultLabelBase;
        return index >= 0 && index < cellCount ? index : -1;
    }
    // Where a cell stands, as messages name it: "key 13 (column 1, row 5)" on the keyboard,
    // "key 3" on the key lock.
    QString keyPlace(int index) const;
    // Whether a Shift+click grows the selected key over a neighbour and splits it again.
    bool mergesKeys() const { return keyboard; }
    bool has(Command c) const { return commands.contains(c); }
};
