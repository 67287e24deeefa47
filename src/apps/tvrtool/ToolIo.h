// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTextStream>

// Exit statuses, as scripts test them: one meaning each, the same in every subcommand.
namespace ExitStatus {
inline constexpr int Ok = 0;
// The work was done and found something: problems in a file that loads, a difference, no key
// that sends the codes, a programming run that failed or was interrupted.
inline constexpr int Found = 1;
// The work could not be done: bad usage, a file that cannot be read, is no layout or would not
// load in the desktop programs, an output not written whole.
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
    // The width of the terminal out goes to, 0 when it is none: what is drawn for people fits it.
    int outColumns = 0;

    // "tvrtool: " and the message, on a line of its own.
    void error(const QString &message) { err << "tvrtool: " << message << Qt::endl; }
};
