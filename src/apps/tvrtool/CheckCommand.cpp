// SPDX-License-Identifier: MIT
// tvrtool check: whether the desktop programs load each file, and if not, exactly why.

#include "LayoutSource.h"
#include "keymodel/LayoutText.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "keymodel/ProblemText.h"
#include "profile/ProgramProfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A file's verdict as a word for scripts.
QString verdictName(LayoutSource::Status status, bool clean)
{
    switch (status) {
    case LayoutSource::Status::Unreadable:
        return QStringLiteral("unreadable");
    case LayoutSource::Status::NotALayout:
        return QStringLiteral("notALayout");
    case LayoutSource::Status::Refused:
        return QStringLiteral("refused");
    case LayoutSource::Status::Loaded:
        break;
    }
    return clean ? QStringLiteral("ok") : QStringLiteral("loadsWithProblems");
}

} // namespace

int checkCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("check"),
        QStringLiteral("Checks configuration files the way the desktop programs load them. "
                       "Prints \"ok\"\nfor each good file, or one line for each problem: the "
                       "size, the magic, which key\nand which field is wrong, keys that overlap, "
                       "and an end mark among the codes\nthat would cut programming short. Exit "
                       "status 1 when a file loads but has\nproblems, 2 when one cannot be read "
                       "or would not load."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration files (.tvr or .qld); - reads standard input."),
                                 QStringLiteral("FILE..."));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QStringLiteral("Report as JSON: per file its path, program, verdict (ok, "
                       "loadsWithProblems,\nrefused, notALayout, unreadable) and problems."));
    parser.addOption(json);
    if (const auto status = parser.parseOrExit(arguments, io, 1, true))
        return *status;

    int status = ExitStatus::Ok;
    QJsonArray files;
    for (const QString &path : parser.positionalArguments()) {
        const LayoutSource source = LayoutSource::read(path);
        QStringList problems;
        if (source.status == LayoutSource::Status::NotALayout ||
            source.status == LayoutSource::Status::Unreadable)
            problems << source.problem;
        for (const ConfigProblem &p : source.problems)
            problems << ProblemText::keyProblem(p, *source.profile);
        // The same status for the same file as every other subcommand gives: a file that does
        // not load is trouble; problems that loading puts up with are a finding.
        if (!source.loaded())
            status = ExitStatus::Trouble;
        else if (!problems.isEmpty())
            status = std::max(status, ExitStatus::Found);

        if (source.status == LayoutSource::Status::Unreadable)
            io.error(QStringLiteral("%1: %2").arg(path, source.problem));
        if (parser.isSet(json)) {
            QJsonObject file{
                {QStringLiteral("path"), path},
                {QStringLiteral("verdict"), verdictName(source.status, problems.isEmpty())},
                {QStringLiteral("problems"), QJsonArray::fromStringList(problems)}};
            if (source.profile)
                file.insert(QStringLiteral("program"), source.profile->name);
            files.append(file);
        } else if (source.status != LayoutSource::Status::Unreadable) { // else said on err
            if (problems.isEmpty())
                io.out << path << ": ok\n";
            for (const QString &p : problems)
                io.out << path << ": " << p << '\n';
        }
    }
    if (parser.isSet(json))
        io.out << QJsonDocument(QJsonObject{{QStringLiteral("files"), files}})
                      .toJson(QJsonDocument::Indented);
    return status;
}
