// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

// Takes one local file dropped on a window and hands its path on; anything else dropped there
// (several files, text, a link to the web) is not accepted.
class FileDrop : public QObject
{
    Q_OBJECT
public:
    FileDrop(QWidget *window, std::function<void(const QString &)> open);

    // The one local file the data names, or an empty path.
    static QString fileOf(const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> m_open;
};
