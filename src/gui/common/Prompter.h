// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>

#include <optional>

// Every question the main window puts to the user goes through here, so that tests can answer
// them without a real dialog.
class Prompter
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~Prompter() = default;

    // OK button, exclamation icon. The details, when given, say which file and why, under the
    // text.
    virtual void failure(const QString &text, const QString &details = {}) = 0;
    // OK button, information icon.
    virtual void information(const QString &text) = 0;
    // Yes, No and Cancel, exclamation icon; closing the box answers Cancel.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // Yes and No, exclamation icon; closing the box answers No.
    virtual bool askYesNo(const QString &text) = 0;
    // Filters are "description|pattern". An empty result means the dialog was cancelled.
    virtual QString openFileName(const QString &filter, const QString &startPath) = 0;
    virtual QString saveFileName(const QString &filter, const QString &extension,
                                 const QString &startPath) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
};
