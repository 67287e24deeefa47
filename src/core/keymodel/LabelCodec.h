#pragma once

#include <QByteArray>
#include <QString>

// Labels are stored as bytes in the legacy code page of the desktop that wrote them:
// Windows-1252, or Shift-JIS under a Japanese locale. They stay bytes in memory so that files
// round-trip exactly; only showing or editing a label decodes it.
class LabelCodec
{
public:
    static const LabelCodec &forSystemLocale();
    explicit LabelCodec(const char *encoding);

    QString decode(const QByteArray &label) const;
    QByteArray encode(const QString &text) const;
    // Whether the code page holds every character of the text.
    bool canEncode(const QString &text) const;
    // How many bytes the text takes in the code page; a double-byte character counts two.
    qsizetype byteLength(const QString &text) const;
    const char *encoding() const { return m_encoding; }

private:
    const char *m_encoding;
};
