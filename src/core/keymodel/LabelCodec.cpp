// SPDX-License-Identifier: MIT
#include "LabelCodec.h"

#include <algorithm>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <optional>

// Windows converts labels itself, with the desktop's own ANSI code page: a Qt for Windows may be
// built without ICU and then knows no code page by name.
namespace {

// The code pages that have a name of their own in files and on tvrtool's command line; any
// other goes by its number, as "windows-1251" or "cp1251".
struct NamedCodePage
{
    const char *name;
    UINT number;
};
constexpr NamedCodePage namedCodePages[] = {{"windows-1252", 1252}, {"Shift_JIS", 932}};

UINT codePageNumber(const QByteArray &name)
{
    for (const NamedCodePage &page : namedCodePages) {
        if (name.compare(page.name, Qt::CaseInsensitive) == 0)
            return page.number;
    }
    for (const char *prefix : {"windows-", "cp"}) {
        if (name.startsWith(prefix)) {
            bool ok = false;
            const uint number = name.mid(int(qstrlen(prefix))).toUInt(&ok);
            if (ok && number > 0 && number <= 0xFFFF)
                return number;
        }
    }
    return 0;
}

QByteArray codePageName(UINT number)
{
    for (const NamedCodePage &page : namedCodePages) {
        if (page.number == number)
            return page.name;
    }
    return "windows-" + QByteArray::number(uint(number));
}

// Which code page to convert with: none when Windows does not have it.
std::optional<UINT> installedCodePage(const QByteArray &name)
{
    const UINT number = codePageNumber(name);
    if (number == 0 || !IsValidCodePage(number))
        return std::nullopt;
    return number;
}

// Decoded, or nothing when a byte makes no character of the code page.
std::optional<QString> decodeStrictlyWith(UINT page, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    const int length = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.constData(),
                                           int(bytes.size()), nullptr, 0);
    if (length == 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

QString decodeWith(UINT page, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int length =
        MultiByteToWideChar(page, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(page, 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

QByteArray encodeWith(UINT page, const QString &text)
{
    if (text.isEmpty())
        return {};
    // No best fit: a character the code page lacks becomes the default character, never a
    // look-alike such as "A" for "Ā", so that canEncode sees that it does not read back. UTF-8
    // takes no such flag.
    const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length =
        WideCharToMultiByte(page, flags, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(page, flags, wide, int(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

} // namespace

const LabelCodec &LabelCodec::forSystemLocale()
{
    static const LabelCodec codec(codePageName(GetACP()));
    return codec;
}

bool LabelCodec::isAvailable() const
{
    return installedCodePage(m_encoding).has_value();
}

QString LabelCodec::decode(const QByteArray &label) const
{
    const std::optional<UINT> page = installedCodePage(m_encoding);
    return page ? decodeWith(*page, label) : QString::fromLatin1(label);
}

std::optional<QString> LabelCodec::decodeStrictly(const QByteArray &label) const
{
    const std::optional<UINT> page = installedCodePage(m_encoding);
    if (!page)
        return std::nullopt;
    return decodeStrictlyWith(*page, label);
}

QByteArray LabelCodec::encode(const QString &text) const
{
    const std::optional<UINT> page = installedCodePage(m_encoding);
    // Without the code page, byte for byte; canEncode keeps out what has no byte of its own.
    return page ? encodeWith(*page, text) : text.toLatin1();
}

#else
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

const LabelCodec &LabelCodec::forSystemLocale()
{
    static const LabelCodec codec(QLocale::system().language() == QLocale::Japanese
                                      ? QByteArrayLiteral("Shift_JIS")
                                      : QByteArrayLiteral("windows-1252"));
    return codec;
}

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

std::optional<QString> LabelCodec::decodeStrictly(const QByteArray &label) const
{
    // Stateless: a label is whole, so a double-byte character cut off at its end is an error
    // rather than the start of more to come.
    QStringDecoder decoder(m_encoding.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(label);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QByteArray LabelCodec::encode(const QString &text) const
{
    QStringEncoder encoder(m_encoding.constData());
    if (!encoder.isValid())
        return text.toLatin1(); // byte for byte; canEncode keeps out what has no byte of its own
    return encoder.encode(text);
}
#endif

LabelCodec::LabelCodec(QByteArray encoding) : m_encoding(std::move(encoding)) {}

bool LabelCodec::canEncode(const QString &text) const
{
    if (!isAvailable())
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    // A character the code page lacks comes out as a stand-in such as "?", or as a look-alike;
    // either way it does not read back as typed.
    return decode(encode(text)) == text;
}

bool LabelCodec::readsCleanly(const QByteArray &label) const
{
    const std::optional<QString> text = decodeStrictly(label);
    return text && std::none_of(text->begin(), text->end(), [](QChar c) {
               return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
           });
}

int LabelCodec::byteLength(const QString &text) const
{
    return int(encode(text).size());
}
