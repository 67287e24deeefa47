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

signals:
    void chosen(const QString &path);

private:
    // Null when the settings file is passed over.
    static std::unique_ptr<QSettings> settings();
    void readBack();
    void store();
    void fillMenu();

    QMenu *m_menu;
    QStringList m_files;
};
