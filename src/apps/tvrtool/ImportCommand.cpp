// SPDX-License-Identifier: MIT
// tvrtool import: a configuration file from JSON.

#include "keymodel/LayoutJson.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "keymodel/ConfigFile.h"
#include "profile/ProgramProfile.h"

#include <QFile>

#include <cstdio>

int importCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("import"),
        QStringLiteral("Writes a configuration file from JSON as tvrtool export writes it. "
                       "Refuses\nanything a configuration file cannot hold or the desktop "
                       "programs would not\nload, naming the field at fault."));
    parser.addPositionalArgument(QStringLiteral("JSON"),
                                 QStringLiteral("The layout as JSON; - reads standard input."));
    parser.addOutputOptions(QStringLiteral("The configuration file to write (required)."));
    if (const auto status = parser.parseOrExit(arguments, io, 1))
        return *status;
    const QString out = parser.outputPath();
    if (out.isEmpty() || out == QLatin1String("-")) {
        io.error(QStringLiteral("import: -o FILE names the configuration file to write"));
        return ExitStatus::Trouble;
    }
    if (!parser.mayWriteOutput(io))
        return ExitStatus::Trouble;

    const QString in = parser.positionalArguments()[0];
    QFile file;
    const bool opened = in == QLatin1String("-")
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(in), file.open(QIODevice::ReadOnly));
    if (!opened) {
        io.error(QStringLiteral("%1: %2").arg(in, file.errorString()));
        return ExitStatus::Trouble;
    }
    // One byte past the limit is enough to refuse a document that is too large.
    const LayoutJson::ReadResult layout =
        LayoutJson::read(file.read(LayoutJson::MaxDocumentSize + 1));
    if (!layout.ok()) {
        io.error(QStringLiteral("%1: %2").arg(in, layout.error));
        return ExitStatus::Trouble;
    }
    for (const QString &warning : layout.warnings)
        io.err << "tvrtool: " << in << ": warning: " << warning << Qt::endl;
    if (!parser.writeOutput(ConfigFile::serialize(layout.cells, *layout.profile), io))
        return ExitStatus::Trouble;
    return ExitStatus::Ok;
}
