// SPDX-License-Identifier: MIT
#include "LayoutText.h"

#include "codeentry/CodeDecoder.h"
#include "keymodel/ColorValue.h"
#include "keymodel/ConfigCheck.h"
#include "keymodel/KeyCell.h"
#include "keymodel/LabelCodec.h"
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

QString problem(const ConfigProblem &p, const ProgramProfile &profile)
{
    using Kind = ConfigProblem::Kind;
    const QString place = profile.keyPlace(p.key);
    const QString field = p.fieldName();
    switch (p.kind) {
    case Kind::SpanBelowOne:
        return QStringLiteral("%1: %2 %3, below 1").arg(place, field).arg(p.value);
    case Kind::SpanPastGrid: {
        const bool columns = p.field == ConfigProblem::Field::ColSpan;
        return QStringLiteral("%1: %2 %3 runs past the grid's %4 %5")
            .arg(place, field)
            .arg(p.value)
            .arg(columns ? profile.gridColumns : profile.gridRows)
            .arg(columns ? QStringLiteral("columns") : QStringLiteral("rows"));
    }
    case Kind::SpanInLockFile:
        return QStringLiteral("%1: %2 %3, but key-lock positions are never merged")
            .arg(place, field)
            .arg(p.value);
    case Kind::TooManyCodes:
        return QStringLiteral("%1: code count %2, over %3")
            .arg(place)
            .arg(p.value)
            .arg(KeyCell::MaxCodes);
    case Kind::KeysOverlap:
        return QStringLiteral("%1 covers %2, which %3 covers too")
            .arg(place, profile.keyPlace(p.value), profile.keyPlace(p.other));
    case Kind::HiddenSpan:
        return QStringLiteral("%1: hidden, but with %2 %3; it loads as 1, so that no merge over it "
                              "uncovers another key's cells")
            .arg(place, field)
            .arg(p.value);
    case Kind::EndMarkInCodes:
        return QStringLiteral("%1: code %2 is the end mark F7, so programming would stop there "
                              "and leave out the codes after it")
            .arg(place)
            .arg(p.value + 1);
    }
    return {};
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

QString wrongSize(qint64 size, const ProgramProfile &profile)
{
    return QStringLiteral("%1 bytes, but a %2 file (\"%3\") has %4")
        .arg(size)
        .arg(profile.name, QString::fromLatin1(profile.magic))
        .arg(profile.fileSize());
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
