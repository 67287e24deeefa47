#include "LabelCodec.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

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
