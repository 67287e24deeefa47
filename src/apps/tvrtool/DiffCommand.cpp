// SPDX-License-Identifier: MIT
// tvrtool diff: the keys two layouts differ in, and how.

#include "LayoutSource.h"
#include "keymodel/LayoutText.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "codeentry/CodeDecoder.h"
#include "profile/ProgramProfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString spareText(QByteArrayView spare)
{
    return spare.isEmpty() ? QStringLiteral("none") : hexBytes(spare);
}

// One field of a key that differs: its name, and how it reads in either file.
struct Change
{
    QString field, was, now;
};

QList<Change> differences(const KeyCell &a, const KeyCell &b, const LabelCodec &codec)
{
    QList<Change> changes;
    const auto add = [&](const char *what, const QString &was, const QString &now,
                         const QString &exactWas = {}, const QString &exactNow = {}) {
        // Two values may read alike (bytes the code page cannot show); then the bytes tell.
        if (was == now)
            changes.append({QLatin1String(what), exactWas, exactNow});
        else
            changes.append({QLatin1String(what), was, now});
    };
    if (a.Caption != b.Caption)
        add("label", LayoutText::quotedLabel(a.Caption, codec),
            LayoutText::quotedLabel(b.Caption, codec), hexBytes(a.Caption), hexBytes(b.Caption));
    if (a.Color != b.Color)
        add("colour", LayoutText::colorText(a.Color), LayoutText::colorText(b.Color));
    if (a.ColSpan != b.ColSpan || a.RowSpan != b.RowSpan)
        add("spans (columns x rows)", LayoutText::spans(a.ColSpan, a.RowSpan),
            LayoutText::spans(b.ColSpan, b.RowSpan));
    if (a.Visible != b.Visible)
        add("visible", a.Visible ? QStringLiteral("yes") : QStringLiteral("no"),
            b.Visible ? QStringLiteral("yes") : QStringLiteral("no"));
    if (a.usedCodes() != b.usedCodes())
        add("codes", readableCodes(a.usedCodes()), readableCodes(b.usedCodes()),
            hexBytes(a.usedCodes()), hexBytes(b.usedCodes()));
    else if (LayoutText::spareCodes(a) != LayoutText::spareCodes(b))
        // Bytes past the codes mean nothing to the keyboard, but the files keep them.
        add("bytes past the codes", spareText(LayoutText::spareCodes(a)),
            spareText(LayoutText::spareCodes(b)));
    return changes;
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
    const QCommandLineOption json(
        QStringLiteral("json"),
        QStringLiteral("List the differences as JSON: per key its index, place and changes "
                       "(field, was, now)."));
    parser.addOption(json);
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
        if (parser.isSet(json)) {
            io.out << QJsonDocument(QJsonObject{{QStringLiteral("a"), a.path},
                                                {QStringLiteral("b"), b.path},
                                                {QStringLiteral("programs"),
                                                 QJsonArray{a.profile->name, b.profile->name}}})
                          .toJson(QJsonDocument::Indented);
            return ExitStatus::Found;
        }
        io.out << a.path << " is a " << a.profile->name << " layout and " << b.path << " a "
               << b.profile->name << " layout\n";
        return ExitStatus::Found;
    }

    bool differ = false;
    QJsonArray keys;
    for (int i = 0; i < a.cells.size(); ++i) {
        const QList<Change> changes = differences(a.cells[i], b.cells[i], *codec);
        if (changes.isEmpty())
            continue;
        differ = true;
        if (parser.isSet(json)) {
            QJsonArray fields;
            for (const Change &c : changes)
                fields.append(QJsonObject{{QStringLiteral("field"), c.field},
                                          {QStringLiteral("was"), c.was},
                                          {QStringLiteral("now"), c.now}});
            keys.append(QJsonObject{{QStringLiteral("index"), i},
                                    {QStringLiteral("place"), a.profile->keyPlace(i)},
                                    {QStringLiteral("changes"), fields}});
            continue;
        }
        io.out << a.profile->keyPlace(i) << '\n';
        for (const Change &c : changes)
            io.out << "  " << c.field << ": " << c.was << " -> " << c.now << '\n';
    }
    if (parser.isSet(json))
        io.out << QJsonDocument(QJsonObject{{QStringLiteral("a"), a.path},
                                            {QStringLiteral("b"), b.path},
                                            {QStringLiteral("program"), a.profile->name},
                                            {QStringLiteral("keys"), keys}})
                      .toJson(QJsonDocument::Indented);
    return differ ? ExitStatus::Found : ExitStatus::Ok;
}
