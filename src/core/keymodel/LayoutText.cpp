// SPDX-License-Identifier: MIT
#include "LayoutText.h"

#include "codeentry/CodeDecoder.h"
#include "ColorValue.h"
#include "ConfigCheck.h"
#include "KeyCell.h"
#include "LabelCodec.h"
#include "profile/ProgramProfile.h"

#include <QRegularExpression>

namespace LayoutText {

QString colorText(quint32 value)
{
    if ((value & 0xFF000000) == 0)
        return QStringLiteral("#%1%2%3")
            .arg(value & 0xFF, 2, 16, QChar(u'0'))
            .arg((value >> 8) & 0xFF, 2, 16, QChar(u'0'))
            .arg((value >> 16) & 0xFF, 2, 16, QChar(u'0'))
            .toUpper();
    if (const QString name = ColorValue::systemColorName(value); !name.isEmpty())
        return name;
    return QStringLiteral("0x%1").arg(value, 8, 16, QChar(u'0')).toUpper().replace(u'X', u'x');
}

std::optional<quint32> parseColor(const QString &text)
{
    static const QRegularExpression rgb(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    static const QRegularExpression raw(QStringLiteral("^0x([0-9A-Fa-f]{8})$"));
    if (const auto m = rgb.match(text); m.hasMatch()) {
        const quint32 v = m.captured(1).toUInt(nullptr, 16); // RRGGBB
        return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
    }
    if (const auto m = raw.match(text); m.hasMatch())
        return m.captured(1).toUInt(nullptr, 16);
    return ColorValue::systemColorNamed(text);
}

QString notAColor(const QString &text)
{
    return QStringLiteral("\"%1\" is no colour: give #RRGGBB, a system colour such as "
                          "buttonFace, or a value such as 0x8000000F")
        .arg(text);
}

QString codeCount(int n)
{
    return n == 0   ? QStringLiteral("no codes")
           : n == 1 ? QStringLiteral("1 code")
                    : QStringLiteral("%1 codes").arg(n);
}

QString codeListing(const KeyCell &k, int index, const ProgramProfile &profile,
                    const LabelCodec &codec)
{
    QString out = QStringLiteral("%1 %2%3, %4:\n")
                      .arg(profile.keyPlace(index), quotedLabel(k.Caption, codec),
                           k.Visible ? QString() : QStringLiteral(" (hidden)"),
                           codeCount(k.CodeCount));
    const DecodedCodes d = decodeCodes(k.usedCodes());
    QList<std::pair<QString, QString>> rows;
    for (const DecodedCodes::Group &g : d.groups)
        rows.append({hexBytes(g.bytes), strokeName(g.stroke)});
    if (!d.whole())
        rows.append(
            {hexBytes(d.rest), QStringLiteral("not a whole group, from byte %1").arg(d.stoppedAt)});
    qsizetype hexWidth = 0;
    for (const auto &r : rows)
        hexWidth = std::max(hexWidth, r.first.size());
    for (const auto &r : rows)
        out += QStringLiteral("  %1  %2\n").arg(r.first.leftJustified(hexWidth), r.second);
    return out;
}

QString wrongMagic(const QByteArray &bytes)
{
    const QByteArray magic = bytes.first(std::min<qsizetype>(bytes.size(), 4));
    const bool printable =
        std::all_of(magic.begin(), magic.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    const QString shown = magic.isEmpty() ? QStringLiteral("is empty")
                          : printable
                              ? QStringLiteral("starts with \"%1\"").arg(QString::fromLatin1(magic))
                              : QStringLiteral("starts with bytes %1").arg(hexBytes(magic));
    QStringList kinds;
    for (const ProgramProfile *p : ProgramProfile::all())
        kinds << QStringLiteral("\"%1\" (%2)").arg(QString::fromLatin1(p->magic), p->name);
    return QStringLiteral("%1, not %2: not a layout file").arg(shown, kinds.join(u" or "));
}

QString quotedLabel(const QByteArray &caption, const LabelCodec &codec)
{
    QString text = codec.decode(caption);
    for (QChar &c : text)
        if (!c.isPrint())
            c = u'?';
    return u'"' + text + u'"';
}

QByteArrayView spareCodes(const KeyCell &key)
{
    QByteArrayView spare(reinterpret_cast<const char *>(key.Codes.data()), KeyCell::CodeCapacity);
    spare = spare.sliced(key.usedCodes().size());
    while (!spare.isEmpty() && spare.back() == 0)
        spare.chop(1);
    return spare;
}

QString spans(int columns, int rows)
{
    return QStringLiteral("%1 x %2").arg(columns).arg(rows);
}

} // namespace LayoutText
