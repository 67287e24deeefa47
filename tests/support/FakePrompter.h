// SPDX-License-Identifier: MIT
#pragma once

#include "common/Prompter.h"

#include <QQueue>
#include <QStringList>

// Answers the main window's questions from a script and remembers what was shown, in order.
// Shown entries read "failure: TEXT", "information: TEXT", "ask3: TEXT", "ask2: TEXT",
// "open", "save", "colour".
class FakePrompter : public Prompter
{
public:
    QStringList shown;
    QQueue<Answer> answers3;
    QQueue<bool> answers2;
    QQueue<QString> paths; // for open and save dialogs; empty means cancelled
    QQueue<std::optional<QColor>> colors;
    QColor lastInitialColor;
    QStringList filters; // of every file dialog shown, in order

    QStringList details; // of every failure, in order, empty where it gave none
    void failure(const QString &text, const QString &detail = {}) override
    {
        shown << QStringLiteral("failure: ") + text;
        details << detail;
    }
    void information(const QString &text) override
    {
        shown << QStringLiteral("information: ") + text;
    }
    Answer askYesNoCancel(const QString &text) override
    {
        shown << QStringLiteral("ask3: ") + text;
        return answers3.isEmpty() ? Answer::Cancel : answers3.dequeue();
    }
    bool askYesNo(const QString &text) override
    {
        shown << QStringLiteral("ask2: ") + text;
        return !answers2.isEmpty() && answers2.dequeue();
    }
    QString openFileName(const QString &filter, const QString &) override
    {
        shown << QStringLiteral("open");
        filters << filter;
        return paths.isEmpty() ? QString() : paths.dequeue();
    }
    QString saveFileName(const QString &filter, const QString &, const QString &) override
    {
        shown << QStringLiteral("save");
        filters << filter;
        return paths.isEmpty() ? QString() : paths.dequeue();
    }
    std::optional<QColor> chooseColor(const QColor &initial) override
    {
        shown << QStringLiteral("colour");
        lastInitialColor = initial;
        return colors.isEmpty() ? std::nullopt : colors.dequeue();
    }
};
