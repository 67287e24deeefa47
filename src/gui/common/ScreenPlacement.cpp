// SPDX-License-Identifier: MIT
#include "ScreenPlacement.h"

#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget &window)
{
    const QWidget *parent = window.parentWidget();
    if (const QScreen *s = parent ? parent->screen() : window.screen())
        window.move(s->availableGeometry().center() -
                    QPoint(window.width() / 2, window.height() / 2));
}
