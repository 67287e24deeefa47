// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/KeyCell.h"
#include "keymodel/LabelCodePage.h"

#include <QObject>

#include <optional>

class QAction;
class QActionGroup;
class QMenu;

// The Edit menu's "Label Code Page": the code page labels are read, shown and written in, one
// of System, Japanese and Western, checked in the menu and kept in the program's settings for
// the next start. Choosing one makes it the code page labels go by; no label's bytes change.
class CodePageMenu : public QObject
{
    Q_OBJECT
public:
    // Adds the submenu to menu and puts the kept choice in effect.
    CodePageMenu(QMenu &menu, QObject *parent);

    LabelCodePage::Page page() const { return m_page; }
    QAction *action(LabelCodePage::Page page) const;
    // As the user picks it from the menu.
    void choose(LabelCodePage::Page page);
    // What to tell the user when the labels of a file just loaded from path do not read cleanly
    // in the code page in use but do in another; nothing otherwise.
    std::optional<QString> loadHint(const QList<KeyCell> &cells, const QString &path) const;

signals:
    void changed();

private:
    void apply(LabelCodePage::Page page);

    QActionGroup *m_group;
    LabelCodePage::Page m_page = LabelCodePage::System;
};
