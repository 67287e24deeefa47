// SPDX-License-Identifier: MIT
// tvrtool show: the layout as a text grid, and with --codes every key's codes.

#include "LayoutSource.h"
#include "keymodel/LayoutText.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "TextCanvas.h"
#include "codeentry/CodeDecoder.h"
#include "keymodel/KeyFace.h"
#include "profile/ProgramProfile.h"

#include <algorithm>

namespace {

// One grid cell on the terminal: ten columns and four lines inside its box, or fewer columns
// where the terminal is narrower than the grid (labels and colours are then cut, marked "~").
constexpr int CellColumns = 11;
constexpr int MinCellColumns = 5;
constexpr int CellLines = 5;

// The width of a cell for a terminal of the given width, 0 when there is no terminal to fit.
int cellColumnsFor(int terminalColumns, const ProgramProfile &profile)
{
    if (terminalColumns <= 0)
        return CellColumns;
    return std::clamp((terminalColumns - 1) / profile.gridColumns, MinCellColumns, CellColumns);
}

QString grid(const LayoutSource &source, const LabelCodec &codec, int cellColumns)
{
    const ProgramProfile &profile = *source.profile;
    TextCanvas canvas(profile.gridColumns * cellColumns + 1, profile.gridRows * CellLines + 1);
    for (int i = 0; i < source.cells.size(); ++i) {
        const KeyCell &k = source.cells[i];
        if (!k.Visible)
            continue;
        const QPoint place = profile.place(i);
        const int x = place.x() * cellColumns, y = place.y() * CellLines;
        const int width = k.ColSpan * cellColumns, height = k.RowSpan * CellLines;
        canvas.box(x, y, width, height);
        canvas.text(x + 1, y, QString::number(profile.keyNumber(i)), width - 1);
        const int inner = width - 1;
        const QStringList lines = KeyFace::labelLines(k.Caption, codec);
        const int labelRoom = height - 3;
        for (int l = 0; l < std::min<int>(labelRoom, lines.size()); ++l) {
            const bool cut = l + 1 == labelRoom && lines.size() > labelRoom;
            canvas.text(x + 1, y + 1 + l, lines[l] + (cut ? QStringLiteral("~~") : QString()),
                        inner);
        }
        // In narrow cells the usual is left out, so that what differs stands out: the default
        // face colour and no codes leave their lines empty, and a count of codes is "12 cd".
        const bool narrow = cellColumns < CellColumns;
        if (!narrow || k.Color != KeyCell::ButtonFace)
            canvas.text(x + 1, y + height - 2, LayoutText::colorText(k.Color), inner);
        if (!narrow)
            canvas.text(x + 1, y + height - 1, LayoutText::codeCount(k.CodeCount), inner);
        else if (k.CodeCount > 0)
            canvas.text(x + 1, y + height - 1, QStringLiteral("%1 cd").arg(k.CodeCount), inner);
    }
    return canvas.toString();
}

QString codeListing(const LayoutSource &source, const LabelCodec &codec)
{
    QString out;
    for (int i = 0; i < source.cells.size(); ++i) {
        const KeyCell &k = source.cells[i];
        if (k.CodeCount == 0)
            continue;
        out += LayoutText::codeListing(k, i, *source.profile, codec);
    }
    return out.isEmpty() ? QStringLiteral("No key has codes.\n") : out;
}

} // namespace

int showCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(QStringLiteral("show"),
                            QStringLiteral("Shows a layout as a text grid: every key in its box "
                                           "(merged keys as one),\nwith its number, label lines, "
                                           "colour and number of codes. Where the terminal is\n"
                                           "narrower than the grid, the cells narrow too: long "
                                           "labels and colours are cut\n(marked \"~\"), the "
                                           "default colour and \"no codes\" are left out, and a "
                                           "count\nof codes reads \"12 cd\"."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration file (.tvr or .qld); - reads standard input."));
    const QCommandLineOption codes(QStringLiteral("codes"),
                                   QStringLiteral("Also list every key's codes as hex groups "
                                                  "and as the strokes that make them."));
    const QCommandLineOption width(
        QStringLiteral("width"),
        QStringLiteral("Fit the grid into N columns (default: the terminal's width; the whole "
                       "grid\nwhen the output is no terminal)."),
        QStringLiteral("N"));
    parser.addOptions({codes, width});
    if (const auto status = parser.parseOrExit(arguments, io, 1))
        return *status;
    std::optional<int> columns = io.outColumns;
    if (parser.isSet(width))
        columns = parser.intValue(width, 20, 10000, io);
    if (!columns)
        return ExitStatus::Trouble;
    const std::optional<LabelCodec> codec = parser.codec(io);
    if (!codec)
        return ExitStatus::Trouble;
    const LayoutSource source = LayoutSource::readOrReport(parser.positionalArguments()[0], io);
    if (!source.loaded())
        return ExitStatus::Trouble;

    io.out << source.path << ": " << source.profile->name << " layout, "
           << source.profile->cellCount << " keys"
           << '\n'
           << grid(source, *codec, cellColumnsFor(*columns, *source.profile));
    if (parser.isSet(codes))
        io.out << '\n' << codeListing(source, *codec);
    return ExitStatus::Ok;
}
