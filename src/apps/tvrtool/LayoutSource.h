// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/ConfigCheck.h"
#include "keymodel/KeyCell.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct ProgramProfile;
struct ToolIo;

// A configuration file of either program, told apart by its magic, read whole. The checks are
// the desktop programs' own: a file that loads here loads there, with the same cells.
struct LayoutSource
{
    enum class Status
    {
        Loaded,
        Unreadable, // missing, or the system would not let it be read
        NotALayout, // wrong size, or a magic of neither program
        Refused,    // the desktop program would refuse its values
    };

    QString path;
    Status status = Status::Unreadable;
    QByteArray bytes;
    const ProgramProfile *profile = nullptr; // known once the magic is
    QList<KeyCell> cells;                    // when Loaded or Refused
    QList<ConfigProblem> problems;           // when Loaded or Refused
    QString problem;                         // what is wrong, in words, without the path

    // "-" reads standard input.
    static LayoutSource read(const QString &path);
    // Reads, and says on err what keeps the file from loading; the result then is not loaded.
    static LayoutSource readOrReport(const QString &path, ToolIo &io);
    bool loaded() const { return status == Status::Loaded; }
};
