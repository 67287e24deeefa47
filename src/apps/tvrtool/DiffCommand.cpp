// SPDX-License-Identifier: MIT
// tvrtool diff: the keys two layouts differ in, and how.

#include "LayoutSource.h"
#include "LayoutText.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "codeentry/CodeDecoder.h"
#include "profile/ProgramProfile.h"

namespace {

QString spareText(QByteArrayView spare)
{
    return spare.isEmpty() ? QStringLiteral("none") : HexBytes(spare);
}

// "was -> now", or nothing when the two read the same.
QString change(const QString &was, const QString &now)
{
    return was == now ? QString() : was + QStringLiteral(" -> ") + now;
}

QStringList differences(const KeyCell &a, const KeyCell &b, const LabelCodec &codec)
{
    QStringList lines;
    const auto add = [&](const char *what, QString readable, const QString &exact) {
        // Two values may read alike (bytes the code page cannot show); then the bytes tell.
        if (readable.isEmpty())
            readable = exact;
        lines << QStringLiteral("%1: %2").arg(QLatin1String(what), readable);
    };
    if (a.Caption != b.Caption)
        add("label",
            change(LayoutText::quotedLabel(a.Caption, codec),
                   LayoutText::quotedLabel(b.Caption, codec)),
            change(HexBytes(a.Caption), HexBytes(b.Caption)));
    if (a.Color != b.Color)
        add("colour", change(LayoutText::colorText(a.Color), LayoutText::colorText(b.Color)), {});
    if (a.ColSpan != b.ColSpan || a.RowSpan != b.RowSpan)
        add("spans (columns x rows)",
            change(LayoutText::spans(a.ColSpan, a.RowSpan),
                   LayoutText::spans(b.ColSpan, b.RowSpan)),
            {});
    if (a.Visible != b.Visible)
        add("visible",
            change(a.Visible ? QStringLiteral("yes") : QStringLiteral("no"),
                   b.Visible ? QStringLiteral("yes") : QStringLiteral("no")),
            {});
    if (LayoutText::usedCodes(a) != LayoutText::usedCodes(b))
        add("codes",
            change(ReadableCodes(LayoutText::usedCodes(a)),
                   ReadableCodes(LayoutText::usedCodes(b))),
            change(HexBytes(LayoutText::usedCodes(a)), HexBytes(LayoutText::usedCodes(b))));
    else if (LayoutText::spareCodes(a) != LayoutText::spareCodes(b))
        // Bytes past the codes mean nothing to the keyboard, but the files keep them.
        add("bytes past the codes",
            change(spareText(LayoutText::spareCodes(a)), spareText(LayoutText::spareCodes(b))), {});
    return lines;
}

} // namespace

int diffCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("diff"),
        QStringLiteral("Lists the keys two layouts differ in and how: label, colour, spans, "
                       "visibility,\nand codes as strokes. Exit status 1 when they differ."));
    parser.addPositionalArgument(QStringLiteral("A"), QStringLiteral("The first layout."));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("The second layout."));
    parser.addCodePageOption();
    if (const auto status = parser.parseOrExit(arguments, io, 2))
        return *status;
    const std::optional<LabelCodec> codec = parser.codec(io);
    if (!codec)
        return ExitStatus::Trouble;
    const LayoutSource a = LayoutSource::readOrReport(parser.positionalArguments()[0], io);
    const LayoutSource b = LayoutSource::readOrReport(parser.positionalArguments()[1], io);
    if (!a.loaded() || !b.loaded())
        return ExitStatus::Trouble;
    if (a.profile != b.profile) {
        io.out << a.path << " is a " << a.profile->name << " layout and " << b.path << " a "
               << b.profile->name << " layout\n";
        return ExitStatus::Found;
    }

    bool differ = false;
    for (int i = 0; i < a.cells.size(); ++i) {
        const QStringList lines = differences(a.cells[i], b.cells[i], *codec);
        if (lines.isEmpty())
            continue;
        differ = true;
        io.out << LayoutText::keyPlace(i, *a.profile) << '\n';
        for (const QString &line : lines)
            io.out << "  " << line << '\n';
    }
    return differ ? ExitStatus::Found : ExitStatus::Ok;
}
