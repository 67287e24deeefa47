// SPDX-License-Identifier: MIT
#pragma once

#include "ToolIo.h"

#include "keymodel/LabelCodec.h"

#include <QCommandLineParser>

#include <optional>

// The command line of one subcommand: QCommandLineParser with the usual --help, and the usage
// line written as "tvrtool NAME [options] ARGS", whatever the program file is called.
class SubcommandParser : public QCommandLineParser
{
public:
    SubcommandParser(const QString &name, const QString &description);

    // Parses the arguments that follow the subcommand's name. With --help it prints the help;
    // on bad usage it says so on err. Either way the status to exit with comes back; nothing
    // comes back when the subcommand should run. positionals is how many plain arguments it
    // takes: exactly that many, or with atLeast that many or more.
    std::optional<int> parseOrExit(const QStringList &arguments, ToolIo &io, int positionals,
                                   bool atLeast = false);
    QString subcommandHelp() const;
    const QString &name() const { return m_name; }

    // A whole number option in [minimum, maximum]; reports and gives nothing otherwise.
    std::optional<int> intValue(const QCommandLineOption &option, int minimum, int maximum,
                                ToolIo &io) const;

    // --code-page PAGE, which every subcommand takes: the code page labels are read in, the
    // desktop's by default. Once parsed, it is the one labels go by (LabelCodePage::current).
    std::optional<LabelCodec> codec(ToolIo &io) const;

    // -o FILE and --force: where the result goes, and whether it may replace a file.
    void addOutputOptions(const QString &description);
    QString outputPath() const;
    // False, having said why, when the output would replace a file without --force. A link,
    // dangling or not, counts as a file.
    bool mayWriteOutput(ToolIo &io) const;
    // Writes the output file, whole or not at all, and says why not, naming the file: the one
    // way every subcommand writes a file. Refuses a link or anything but a regular file even
    // with --force: writing through a link would replace a file elsewhere than the one named.
    bool writeOutput(const QByteArray &bytes, ToolIo &io) const;
    // The same for a file named otherwise, such as the layout edited in place.
    static bool writeFile(const QString &path, const QByteArray &bytes, ToolIo &io);

private:
    void addCodePageOption();

    QString m_name;
};
