// SPDX-License-Identifier: MIT
#include "KeyTestReport.h"

#include "KeyTestSession.h"
#include "codeentry/CodeDecoder.h"
#include "keymodel/KeyFace.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"

#include <QCoreApplication>
#include <QStringList>

namespace KeyTestReport {

namespace {

const char NoKey[] = QT_TRANSLATE_NOOP("KeyTestReport", "no key of this layout sends this");

QString names(const KeyTestSession &session, const QList<int> &keys, const LabelCodec &codec,
              const QString &separator)
{
    QStringList list;
    for (int key : keys)
        list << keyName(session, key, codec);
    return list.join(separator);
}

QString numbers(const KeyTestSession &session, const QList<int> &keys, const QString &separator)
{
    QStringList list;
    for (int key : keys)
        list << QString::number(session.grid().profile().keyNumber(key));
    return list.join(separator);
}

// The hex of each stroke's group, the groups apart, so a reader sees where a stroke ends.
QString hexGroups(const QByteArray &codes)
{
    const DecodedCodes decoded = decodeCodes(codes);
    QStringList groups;
    for (const DecodedCodes::Group &g : decoded.groups)
        groups << hexBytes(g.bytes);
    if (!decoded.whole())
        groups << hexBytes(decoded.rest);
    return groups.join(QStringLiteral(", "));
}

QString counts(const KeyTestSession &session)
{
    const qsizetype withCodes = session.index().keysWithCodes().size();
    const qsizetype seen = session.seenKeys().size();
    return QCoreApplication::translate("KeyTestReport", "%1 %2 codes; %3 seen, %4 not yet.")
        .arg(withCodes)
        .arg(withCodes == 1 ? QCoreApplication::translate("KeyTestReport", "key has")
                            : QCoreApplication::translate("KeyTestReport", "keys have"))
        .arg(seen)
        .arg(withCodes - seen);
}

} // namespace

QString keyName(const KeyTestSession &session, int index, const LabelCodec &codec)
{
    const KeyGrid &grid = session.grid();
    const QByteArray &caption = grid.cell(index).Caption;
    QString name = QCoreApplication::translate("KeyTestReport", "key %1")
                       .arg(grid.profile().keyNumber(index));
    if (caption == grid.profile().defaultLabel(index))
        return name;
    const QString label = KeyFace::labelLines(caption, codec).join(u' ').simplified();
    if (!label.isEmpty())
        name += QStringLiteral(", ") + label;
    return name;
}

QString sequenceLine(const KeyTestSession &session, const TestedSequence &sequence,
                     const LabelCodec &codec)
{
    const QList<int> keys = session.keysOf(sequence);
    QString matched = keys.isEmpty() ? QCoreApplication::translate("KeyTestReport", NoKey)
                                     : names(session, keys, codec, QStringLiteral("; "));
    if (keys.size() > 1)
        matched += QCoreApplication::translate("KeyTestReport", " (same codes)");
    if (sequence.repeats > 0)
        matched += QCoreApplication::translate("KeyTestReport", " (repeated %1 times)")
                       .arg(sequence.repeats);
    return QStringLiteral("%1  %2  [%3]  %4")
        .arg(sequence.at.toString(QStringLiteral("HH:mm:ss")), readableCodes(sequence.codes),
             hexGroups(sequence.codes), matched);
}

QString summary(const KeyTestSession &session)
{
    QStringList lines{counts(session)};
    if (const QList<int> unseen = session.unseenKeys(); !unseen.isEmpty())
        lines << QCoreApplication::translate("KeyTestReport", "Not yet seen: %1 %2.")
                     .arg(unseen.size() == 1
                              ? QCoreApplication::translate("KeyTestReport", "key")
                              : QCoreApplication::translate("KeyTestReport", "keys"),
                          numbers(session, unseen, QStringLiteral(", ")));
    const QList<QList<int>> &identical = session.index().identicalCodes();
    if (!identical.isEmpty()) {
        QStringList sets;
        for (const QList<int> &keys : identical)
            sets << numbers(session, keys, QStringLiteral(" = "));
        lines << QCoreApplication::translate("KeyTestReport",
                                             "Same codes, cannot be told apart: keys %1.")
                     .arg(sets.join(QStringLiteral("; ")));
    }
    return lines.join(u'\n');
}

QString reportText(const KeyTestSession &session, const QString &layoutName, const QDateTime &date,
                   const LabelCodec &codec)
{
    QString text;
    text += QCoreApplication::translate("KeyTestReport", "Key test of %1\n")
                .arg(session.grid().profile().name);
    text += QCoreApplication::translate("KeyTestReport", "Layout: %1\n").arg(layoutName);
    text += QCoreApplication::translate("KeyTestReport", "Date: %1\n")
                .arg(date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    text += u'\n';

    text += QCoreApplication::translate("KeyTestReport", "Sequences received:\n");
    if (session.sequences().isEmpty())
        text += QCoreApplication::translate("KeyTestReport", "  none\n");
    for (const TestedSequence &s : session.sequences())
        text += QStringLiteral("  ") + sequenceLine(session, s, codec) + u'\n';
    text += u'\n';

    text += QCoreApplication::translate("KeyTestReport", "Summary: ") + counts(session) + u'\n';
    text += QCoreApplication::translate("KeyTestReport", "\nNot yet seen:\n");
    const QList<int> unseen = session.unseenKeys();
    if (unseen.isEmpty())
        text += QCoreApplication::translate("KeyTestReport", "  none\n");
    for (int key : unseen)
        text += QStringLiteral("  ") + keyName(session, key, codec) + u'\n';

    const QList<QList<int>> &identical = session.index().identicalCodes();
    if (!identical.isEmpty()) {
        text += QCoreApplication::translate("KeyTestReport",
                                            "\nKeys with the same codes (neither a tester nor "
                                            "the till can tell them apart):\n");
        for (const QList<int> &keys : identical)
            text +=
                QStringLiteral("  ") + names(session, keys, codec, QStringLiteral("; ")) + u'\n';
    }
    return text;
}

} // namespace KeyTestReport
