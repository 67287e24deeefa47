// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QMenu;
class QSettings;

// The configuration files last opened or saved, newest first, kept for the next start in the
// user's settings of the program (the application's name). Shown as a menu whose entries say which
// file to open.
class RecentFiles : public QObject
{
    Q_OBJECT
public:
    static constexpr int MostKept = 8;

    // Fills menu with the list kept from last time.
    explicit RecentFiles(QMenu *menu, QObject *parent = nullptr);

    QStringList files() const { return m_files; }
    // Puts the file first, once.
    void add(const QString &path);
    void remove(const QString &path);
    // The user's settings file of the program, where QSettings keeps it.
    static QString settingsFile();

signals:
    void chosen(const QString &path);

private:
    // The settings file, or nothing when it is there but not a readable regular file.
    static QString usableSettingsFile();
    // Null when the settings file is passed over.
    std::unique_ptr<QSettings> settings() const;
    void readBack();
    void store();
    void fillMenu();

    QMenu *m_menu;
    QStringList m_files;
    QString m_settingsFile;
};
