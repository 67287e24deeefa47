// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Labels are stored as bytes in the legacy code page of the desktop that wrote them:
// Windows-1252, or Shift-JIS under a Japanese locale. They stay bytes in memory so that files
// round-trip exactly; only showing or editing a label decodes it.
//
// Windows converts with its own code pages; elsewhere Qt does, and a Qt built without ICU knows
// neither code page. A codec whose code page is missing says so (isAvailable), and
// carries each byte as the one character of the same number, so that a label read and written
// back keeps its bytes; a character outside that range is refused (canEncode) rather than
// stored as "?".
class LabelCodec
{
public:
    static const LabelCodec &forSystemLocale();
    explicit LabelCodec(QByteArray encoding);

    // Whether this Qt has the code page; callers tell the user when it has not.
    bool isAvailable() const;
    QString decode(const QByteArray &label) const;
    // Whether label is characters of this code page that a person can read: no byte that
    // makes no character, and no control character (as a label written in another code page
    // often decodes to). Without the code page, nothing reads cleanly.
    bool readsCleanly(const QByteArray &label) const;
    QByteArray encode(const QString &text) const;
    // Whether every character of text has a place in the code page, so that the label reads
    // back as it was typed.
    bool canEncode(const QString &text) const;
    // The bytes text takes in the code page: a double-byte character counts two. The label
    // field's limit counts these.
    int byteLength(const QString &text) const;
    const QByteArray &encoding() const { return m_encoding; }

private:
    // The text, or nothing when a byte makes no character or the code page is missing.
    std::optional<QString> decodeStrictly(const QByteArray &label) const;

    QByteArray m_encoding;
};
