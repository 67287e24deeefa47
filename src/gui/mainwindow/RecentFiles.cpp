// SPDX-License-Identifier: MIT
#include "RecentFiles.h"

#include "common/UserSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

constexpr char Key[] = "recentFiles";

} // namespace

// Each program keeps its own list, in the settings named after the application.
std::unique_ptr<QSettings> RecentFiles::settings()
{
    return UserSettings::open();
}

RecentFiles::RecentFiles(QMenu *menu, QObject *parent) : QObject(parent), m_menu(menu)
{
    readBack();
    fillMenu();
}

void RecentFiles::readBack()
{
    // Another window of the program may have written the list since this one last read it;
    // a list kept only in memory and written whole would lose that window's files.
    if (const std::unique_ptr<QSettings> kept = settings())
        m_files = kept->value(QLatin1String(Key)).toStringList().mid(0, MostKept);
}

void RecentFiles::add(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    readBack();
    m_files.removeAll(file);
    m_files.prepend(file);
    m_files = m_files.mid(0, MostKept);
    store();
}

void RecentFiles::remove(const QString &path)
{
    readBack();
    m_files.removeAll(QFileInfo(path).absoluteFilePath());
    store();
}

void RecentFiles::store()
{
    // The settings are written whole through a temporary file; a list that cannot be kept
    // costs nothing but the list.
    if (const std::unique_ptr<QSettings> kept = settings())
        kept->setValue(QLatin1String(Key), m_files);
    fillMenu();
}

void RecentFiles::fillMenu()
{
    m_menu->clear();
    for (int i = 0; i < m_files.size(); ++i) {
        const QString path = m_files[i];
        // "&1 layout.tvr": a number to choose it by, and the full path as the tip.
        QString name = QFileInfo(path).fileName();
        name.replace(u'&', QStringLiteral("&&"));
        QAction *entry = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    m_menu->setToolTipsVisible(true);
    m_menu->setEnabled(!m_files.isEmpty());
}
