#include "LabelCodec.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

const LabelCodec &LabelCodec::forSystemLocale()
{
    static const LabelCodec codec(
        QLocale::system().language() == QLocale::Japanese ? "Shift_JIS" : "windows-1252");
    return codec;
}

LabelCodec::LabelCodec(const char *encoding) : m_encoding(encoding) {}

QString LabelCodec::decode(const QByteArray &label) const
{
    QStringDecoder decoder(m_encoding);
    if (!decoder.isValid())
        return QString::fromLatin1(label);
    return decoder.decode(label);
}

QByteArray LabelCodec::encode(const QString &text) const
{
    QStringEncoder encoder(m_encoding);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

bool LabelCodec::canEncode(const QString &text) const
{
    QStringEncoder encoder(m_encoding);
    if (!encoder.isValid())
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
    const QByteArray bytes = encoder.encode(text); // the encoder works only when converted
    return !encoder.hasError();
}

qsizetype LabelCodec::byteLength(const QString &text) const
{
    return encode(text).size();
}
