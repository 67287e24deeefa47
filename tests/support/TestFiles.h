// SPDX-License-Identifier: MIT
#pragma once

#include "profile/ProgramProfile.h"

#include <QFile>
#include <QTemporaryDir>

// Small file and profile helpers that several test programs share.
namespace TestFiles {

inline const ProgramProfile &profileNamed(const QString &name)
{
    return name == QLatin1String("Tavrin") ? ProgramProfile::tavrin() : ProgramProfile::quelda();
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

// The whole file, or nothing when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace TestFiles
