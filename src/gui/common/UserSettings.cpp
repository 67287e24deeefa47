// SPDX-License-Identifier: MIT
#include "UserSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <utility>

namespace {

constexpr char Organisation[] = "tavrin";

bool usable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.isReadable()))
        return true;
    static bool said = false;
    if (!std::exchange(said, true)) {
        std::fprintf(stderr,
                     "%s: the settings file %s is not a regular file that can be read; it is "
                     "passed over, and the settings are not kept\n",
                     qPrintable(QCoreApplication::applicationName()),
                     qPrintable(QDir::toNativeSeparators(path)));
    }
    return false;
}

} // namespace

QString UserSettings::file()
{
#ifdef Q_OS_WIN
    // In the roaming application data, which no standard location names; no FIFO can stand
    // there.
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(Organisation),
                     QCoreApplication::applicationName())
        .fileName();
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1String(Organisation) + u'/' + QCoreApplication::applicationName() +
           QStringLiteral(".ini");
#endif
}

std::unique_ptr<QSettings> UserSettings::open()
{
    const QString path = file();
    if (!usable(path))
        return nullptr;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
