// SPDX-License-Identifier: MIT
#include "CommandLineName.h"

#include <QCoreApplication>
#include <QFile>

std::optional<QString> CommandLineName::decode(const char *argument)
{
    const QString name = QString::fromLocal8Bit(argument);
    if (QFile::encodeName(name) != QByteArrayView(argument))
        return std::nullopt;
    return name;
}

QString CommandLineName::shown(const char *argument)
{
    QString text;
    const QByteArrayView bytes(argument);
    qsizetype start = 0;
    // The longest run from start that comes back as it went, then one byte that does not.
    while (start < bytes.size()) {
        qsizetype end = bytes.size();
        while (end > start &&
               QFile::encodeName(QString::fromLocal8Bit(bytes.sliced(start, end - start))) !=
                   bytes.sliced(start, end - start))
            --end;
        text += QString::fromLocal8Bit(bytes.sliced(start, end - start));
        if (end < bytes.size())
            text += QStringLiteral("\\x") +
                    QStringLiteral("%1").arg(quint8(bytes[end]), 2, 16, QChar(u'0')).toUpper();
        start = end + 1;
    }
    return text;
}

QString CommandLineName::refusal()
{
    return QCoreApplication::translate(
        "CommandLineName",
        "the name is not valid UTF-8 text, so it cannot be used as given; rename the file");
}
