// SPDX-License-Identifier: MIT
// tvrtool copy and swap: keys moved between layouts and within one, as paste and a drag do in
// the desktop programs.

#include "LayoutEdit.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "keymodel/KeyClip.h"
#include "profile/ProgramProfile.h"

int copyCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("copy"),
        QStringLiteral("Copies the label, colour and codes of keys of one layout onto keys of "
                       "another\n(or the same), as paste does in the desktop programs: in their "
                       "places relative\nto each other, from DEST-KEY on, past cells covered by "
                       "merged keys; keys that\nwould fall off the grid are left out and "
                       "named. Spans stay with each layout."));
    parser.addPositionalArgument(QStringLiteral("SRC"),
                                 QStringLiteral("The layout to copy from; - reads standard input."));
    parser.addPositionalArgument(QStringLiteral("KEYS"),
                                 QStringLiteral("A key, or the keys of the rectangle from one "
                                                "key to another: 1-14."),
                                 QStringLiteral("KEY[-KEY]"));
    parser.addPositionalArgument(QStringLiteral("DEST"), QStringLiteral("The layout to copy to."));
    parser.addPositionalArgument(QStringLiteral("DEST-KEY"),
                                 QStringLiteral("Where the first key lands."),
                                 QStringLiteral("KEY"));
    parser.addOutputOptions(QStringLiteral("Write the result to FILE instead of back to DEST."));
    if (const auto status = parser.parseOrExit(arguments, io, 4))
        return *status;
    if (!parser.mayWriteOutput(io))
        return ExitStatus::Trouble;
    const QStringList args = parser.positionalArguments();
    const LayoutSource source = LayoutSource::readOrReport(args[0], io);
    if (!source.loaded())
        return ExitStatus::Trouble;
    const std::optional<QList<int>> keys = LayoutEdit::keyRange(args[1], source, parser.name(), io);
    if (!keys)
        return ExitStatus::Trouble;
    std::optional<LayoutEdit::Loaded> dest = LayoutEdit::load(args[2], io);
    if (!dest)
        return ExitStatus::Trouble;
    const ProgramProfile &profile = *dest->source.profile;
    if (source.profile != &profile) {
        io.error(QStringLiteral("copy: %1 keys do not go into a %2 layout")
                     .arg(source.profile->name, profile.name));
        return ExitStatus::Trouble;
    }
    const std::optional<int> at = LayoutEdit::keyIndex(args[3], dest->source, parser.name(), io);
    if (!at)
        return ExitStatus::Trouble;

    const KeyClip clip = KeyClip::copy(source.cells, profile, *keys);
    const QList<int> targets = clip.targets(dest->source.cells, *at);
    dest->document->paste(*at, clip);
    QStringList dropped;
    for (qsizetype k = 0; k < targets.size(); ++k)
        if (targets[k] < 0)
            dropped << QString::number(profile.keyNumber(clip.keys[k].index));
    if (!dropped.isEmpty())
        io.err << "tvrtool: copy: " << (dropped.size() == 1 ? "key " : "keys ")
               << dropped.join(QStringLiteral(", "))
               << " would fall off the grid and " << (dropped.size() == 1 ? "was" : "were")
               << " not copied" << Qt::endl;
    return LayoutEdit::save(*dest, parser, io) ? ExitStatus::Ok : ExitStatus::Trouble;
}

int swapCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("swap"),
        QStringLiteral("Swaps the label, colour and codes of two keys of a layout, as dragging "
                       "one key\nonto another does in the desktop programs; spans stay."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration file (.tvr or .qld)."));
    parser.addPositionalArgument(QStringLiteral("KEY"), QStringLiteral("The two keys."),
                                 QStringLiteral("KEY KEY"));
    parser.addOutputOptions(QStringLiteral("Write the result to FILE instead of back to FILE."));
    if (const auto status = parser.parseOrExit(arguments, io, 3))
        return *status;
    if (!parser.mayWriteOutput(io))
        return ExitStatus::Trouble;
    const QStringList args = parser.positionalArguments();
    std::optional<LayoutEdit::Loaded> layout = LayoutEdit::load(args[0], io);
    if (!layout)
        return ExitStatus::Trouble;
    const std::optional<int> a = LayoutEdit::keyIndex(args[1], layout->source, parser.name(), io);
    const std::optional<int> b =
        a ? LayoutEdit::keyIndex(args[2], layout->source, parser.name(), io) : std::nullopt;
    if (!b)
        return ExitStatus::Trouble;
    layout->document->swapKeys(*a, *b);
    return LayoutEdit::save(*layout, parser, io) ? ExitStatus::Ok : ExitStatus::Trouble;
}
