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
    const char *encoding() const { return m_encoding; }

private:
    const char *m_encoding;
};
