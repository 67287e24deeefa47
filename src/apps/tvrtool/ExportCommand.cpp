// SPDX-License-Identifier: MIT
// tvrtool export: a layout as JSON.

#include "keymodel/LayoutJson.h"
#include "LayoutSource.h"
#include "SubcommandParser.h"
#include "Subcommands.h"

int exportCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("export"),
        QStringLiteral("Writes a layout as JSON (format \"tvrtool-layout\", version 1): per key "
                       "its index,\ncolumn, row, label and code page, colour, spans, visibility "
                       "and codes, with\nthe strokes they stand for. tvrtool import turns it "
                       "back into the same file."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration file (.tvr or .qld); - reads standard input."));
    parser.addOutputOptions(QStringLiteral("Write the JSON to FILE instead of standard output."));
    if (const auto status = parser.parseOrExit(arguments, io, 1))
        return *status;
    const std::optional<LabelCodec> codec = parser.codec(io);
    if (!codec || !parser.mayWriteOutput(io))
        return ExitStatus::Trouble;
    const LayoutSource source = LayoutSource::readOrReport(parser.positionalArguments()[0], io);
    if (!source.loaded())
        return ExitStatus::Trouble;

    const QByteArray json = LayoutJson::write(source.cells, *source.profile, *codec);
    const QString out = parser.outputPath();
    if (out.isEmpty() || out == QLatin1String("-")) {
        io.out.flush();
        io.out << QString::fromUtf8(json);
        return ExitStatus::Ok;
    }
    if (!parser.writeOutput(json, io))
        return ExitStatus::Trouble;
    return ExitStatus::Ok;
}
