// SPDX-License-Identifier: MIT
#include "FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

FileDrop::FileDrop(QWidget *window, std::function<void(const QString &)> open)
    : QObject(window), m_open(std::move(open))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QString FileDrop::fileOf(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls()[0].isLocalFile())
        return {};
    return data->urls()[0].toLocalFile();
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!fileOf(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = fileOf(drop->mimeData());
        if (path.isEmpty())
            return true;
        drop->acceptProposedAction();
        // Opened once the drop is over: the save prompt and the load must not keep the
        // program the file came from waiting for its drag to end.
        QTimer::singleShot(0, this, [this, path] { m_open(path); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
