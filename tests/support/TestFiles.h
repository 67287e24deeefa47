// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
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

// Gives the key at index these codes as a loaded file would: nothing has changed since.
inline void loadCodes(KeyDocument &layout, int index, const QByteArray &codes)
{
    QList<KeyCell> cells = layout.grid().cells();
    cells[index].CodeCount = int(codes.size());
    std::copy(codes.begin(), codes.end(), cells[index].Codes.begin());
    layout.load(cells, layout.filePath());
}

} // namespace TestFiles
