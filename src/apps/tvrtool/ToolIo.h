// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTextStream>

// Exit statuses, as scripts test them.
namespace ExitStatus {
inline constexpr int Ok = 0;
// A check found a problem, a comparison a difference, a programming run failed.
inline constexpr int Found = 1;
// Bad usage, or a file that cannot be read or is no layout.
inline constexpr int Trouble = 2;
} // namespace ExitStatus

// Where a subcommand writes: its results to out, errors (each naming its file) to err. The
// program hands in the process's streams; tests hand in strings.
struct ToolIo
{
    QTextStream &out;
    QTextStream &err;
    // Progress may be redrawn in place on err: it is a terminal.
    bool errIsTerminal = false;

    // "tvrtool: " and the message, on a line of its own.
    void error(const QString &message) { err << "tvrtool: " << message << Qt::endl; }
};
