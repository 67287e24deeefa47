// SPDX-License-Identifier: MIT
#include "LabelCodec.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <utility>

const LabelCodec &LabelCodec::forSystemLocale()
{
    static const LabelCodec codec(QLocale::system().language() == QLocale::Japanese
                                      ? QByteArrayLiteral("Shift_JIS")
                                      : QByteArrayLiteral("windows-1252"));
    return codec;
}

LabelCodec::LabelCodec(QByteArray encoding) : m_encoding(std::move(encoding)) {}

bool LabelCodec::isAvailable() const
{
    return QStringEncoder(m_encoding.constData()).isValid();
}

QString LabelCodec::decode(const QByteArray &label) const
{
    QStringDecoder decoder(m_encoding.constData());
    if (!decoder.isValid())
        return QString::fromLatin1(label);
    return decoder.decode(label);
}

QByteArray LabelCodec::encode(const QString &text) const
{
    QStringEncoder encoder(m_encoding.constData());
    if (!encoder.isValid())
        return text.toLatin1(); // byte for byte; canEncode keeps out what has no byte of its own
    return encoder.encode(text);
}

bool LabelCodec::canEncode(const QString &text) const
{
    if (!isAvailable())
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    // A character the code page lacks comes out as a stand-in such as "?", or as a look-alike;
    // either way it does not read back as typed.
    return decode(encode(text)) == text;
}

int LabelCodec::byteLength(const QString &text) const
{
    return int(encode(text).size());
}
