// SPDX-License-Identifier: MIT
// tvrtool check: whether the desktop programs load each file, and if not, exactly why.

#include "LayoutSource.h"
#include "LayoutText.h"
#include "SubcommandParser.h"
#include "Subcommands.h"

int checkCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("check"),
        QStringLiteral("Checks configuration files the way the desktop programs load them. "
                       "Prints \"ok\"\nfor each good file, or one line for each problem: the "
                       "size, the magic, which key\nand which field is wrong, keys that overlap, "
                       "and an end mark among the codes\nthat would cut programming short."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration files (.tvr or .qld)."),
                                 QStringLiteral("FILE..."));
    if (const auto status = parser.parseOrExit(arguments, io, 1, true))
        return *status;

    int status = ExitStatus::Ok;
    for (const QString &path : parser.positionalArguments()) {
        const LayoutSource source = LayoutSource::read(path);
        if (source.status == LayoutSource::Status::Unreadable) {
            io.error(QStringLiteral("%1: %2").arg(path, source.problem));
            status = ExitStatus::Trouble;
            continue;
        }
        if (source.status == LayoutSource::Status::NotALayout) {
            io.out << path << ": " << source.problem << '\n';
        } else if (source.problems.isEmpty()) {
            io.out << path << ": ok\n";
            continue;
        }
        for (const ConfigProblem &p : source.problems)
            io.out << path << ": " << LayoutText::problem(p, *source.profile) << '\n';
        status = std::max(status, ExitStatus::Found);
    }
    return status;
}
