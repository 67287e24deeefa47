// SPDX-License-Identifier: MIT
#pragma once

#include "Prompter.h"

class QWidget;

// The real dialogs: message boxes titled with the program's name and the toolkit's own file
// and colour dialogs, so that they look and behave the same on every desktop.
class DialogPrompter : public Prompter
{
public:
    DialogPrompter(QWidget *parent, const QString &title);

    void failure(const QString &text, const QString &details = {}) override;
    void information(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    bool askYesNo(const QString &text) override;
    QString openFileName(const QString &filter, const QString &startPath) override;
    QString saveFileName(const QString &filter, const QString &extension,
                         const QString &startPath) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;

    // "description|pattern" becomes the toolkit's "description (pattern)".
    static QString toolkitFilter(const QString &filter);

private:
    QWidget *owner() const;

    QWidget *m_parent;
    QString m_title;
};
