// SPDX-License-Identifier: MIT
#pragma once

#include "FakePrompter.h"
#include "TestFiles.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"

#include <QAction>
#include <QHash>
#include <QTest>
#include <QToolButton>

#include <memory>

// What the main window's tests share: the programs' texts as users know them, a window with a
// prompter that answers from a script, and commands run the way a user runs them.
// The programs' own texts, as their users know them (spelling included).
namespace Text {
inline const QString FileMissing = QStringLiteral("Specified file does not exists.");
inline const QString FileInvalid = QStringLiteral("Specified file is invalid.");
inline const QString SaveFailed = QStringLiteral("Failed to save configuration.");
inline const QString Overwrite = QStringLiteral("Specified file already exists.\nOverwrite it ?");
inline const QString SaveBeforeNew = QStringLiteral(
    "Key Configuration has already been changed.\nSave it before load new configration ?");
inline const QString SaveBeforeLoad = QStringLiteral(
    "Key Configuration has already been changed.\nSave it before load other configration?");
inline const QString SaveBeforeExit =
    QStringLiteral("Key Configuration has already been changed.\nSave it before exit ?");
} // namespace Text

// Runs a command as a user would: by its shortcut where it has one, else by its tool-bar button.
inline void runCommand(TMainDlg &dlg, const QString &name)
{
    static const QHash<QString, QKeySequence> shortcuts = {
        {"New", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"Load", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"Save", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"Color", QKeySequence(QStringLiteral("Ctrl+R"))},
        {"Code", QKeySequence(QStringLiteral("Ctrl+D"))},
    };
    if (!dlg.isActiveWindow()) {
        dlg.show();
        dlg.activateWindow();
        if (!QTest::qWaitForWindowActive(&dlg))
            qFatal("the main window never became active");
    }
    if (shortcuts.contains(name)) {
        QTest::keySequence(&dlg, shortcuts.value(name));
        return;
    }
    const QString button = QStringLiteral("s") + name;
    QTest::mouseClick(dlg.findChild<QToolButton *>(button), Qt::LeftButton);
}

struct Window
{
    std::unique_ptr<TMainDlg> dlg;
    FakePrompter *prompts = nullptr;
};

inline Window makeWindow(const QString &program)
{
    Window w;
    w.dlg = std::make_unique<TMainDlg>(TestFiles::profileNamed(program));
    auto prompter = std::make_unique<FakePrompter>();
    w.prompts = prompter.get();
    w.dlg->setPrompter(std::move(prompter));
    return w;
}

inline void click(TMainDlg &dlg, int index)
{
    QTest::mouseClick(dlg.key(index), Qt::LeftButton);
}

inline bool keyCommandsEnabled(TMainDlg &dlg, bool expected)
{
    for (Command c : {Command::Label, Command::Code, Command::Color, Command::ProgOne}) {
        if (!dlg.profile().has(c))
            continue;
        if (dlg.action(c)->isEnabled() != expected || dlg.toolButton(c)->isEnabled() != expected)
            return false;
    }
    return true;
}
