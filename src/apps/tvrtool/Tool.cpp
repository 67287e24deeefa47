// SPDX-License-Identifier: MIT
#include "Tool.h"

#include "Subcommands.h"
#include "profile/Version.h"

#include <iterator>

namespace Tool {

namespace {

struct Subcommand
{
    const char *name;
    const char *summary;
    int (*run)(const QStringList &, ToolIo &);
};

constexpr Subcommand Subcommands[] = {
    {"show", "the layout as a text grid; --codes adds every key's codes", showCommand},
    {"check", "whether the desktop programs load each file, and what is wrong", checkCommand},
    {"export", "the layout as JSON", exportCommand},
    {"import", "a configuration file from JSON", importCommand},
    {"diff", "the keys two layouts differ in, and how", diffCommand},
    {"render", "the layout at physical size as PDF or PNG", renderCommand},
    {"program", "programs one key or all keys into the keyboard", programCommand},
    {"match", "which key of a layout sends a sequence of codes", matchCommand},
    {"set", "gives keys a label, a colour or codes", setCommand},
    {"copy", "copies keys from one layout to another, as paste does", copyCommand},
    {"swap", "swaps two keys of a layout", swapCommand},
};

const Subcommand *find(const QString &name)
{
    for (const Subcommand &s : Subcommands)
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

void overview(QTextStream &to)
{
    to << "Usage: tvrtool SUBCOMMAND [options] ARGUMENTS\n\n"
          "Inspects, checks, converts, compares, renders, edits and programs the configuration\n"
          "files of Tavrin (.tvr) and Quelda (.qld); either kind is known by its first bytes.\n"
          "A key is named by the number its face shows by default: 1 to 84, or 0 to 6 on the\n"
          "key lock.\n\n"
          "Subcommands:\n";
    for (const Subcommand &s : Subcommands)
        to << "  " << QString::fromLatin1(s.name).leftJustified(9) << s.summary << '\n';
    to << "  " << QStringLiteral("help").leftJustified(9)
       << "this overview, or a subcommand's help with help SUBCOMMAND\n\n"
          "Exit status, the same in every subcommand: 0 success; 1 found something: problems\n"
          "in a file that loads, a difference, no key that sends the codes, a failed run;\n"
          "2 could not do the work: bad usage, a file that cannot be read, is no layout or\n"
          "would not load, an output not written whole.\n\n"
          "tvrtool writes English whatever the locale, so that scripts can read it.\n";
}

int help(const QStringList &arguments, ToolIo &io)
{
    if (arguments.isEmpty()) {
        overview(io.out);
        return ExitStatus::Ok;
    }
    if (const Subcommand *s = find(arguments.first()))
        return s->run({QStringLiteral("--help")}, io);
    io.error(
        QStringLiteral("no subcommand \"%1\"; tvrtool help lists them").arg(arguments.first()));
    return ExitStatus::Trouble;
}

} // namespace

bool needsGui(const QStringList &arguments)
{
    return !arguments.isEmpty() && arguments.first() == QLatin1String("render");
}

int run(const QStringList &arguments, ToolIo &io)
{
    if (arguments.isEmpty()) {
        overview(io.err);
        return ExitStatus::Trouble;
    }
    const QString first = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (first == QLatin1String("help") || first == QLatin1String("--help") ||
        first == QLatin1String("-h"))
        return help(rest, io);
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        io.out << "tvrtool " << TAVRIN_VERSION << '\n';
        return ExitStatus::Ok;
    }
    if (const Subcommand *s = find(first))
        return s->run(rest, io);
    io.error(QStringLiteral("no subcommand \"%1\"; tvrtool help lists them").arg(first));
    return ExitStatus::Trouble;
}

} // namespace Tool
