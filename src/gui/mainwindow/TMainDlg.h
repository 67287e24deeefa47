// SPDX-License-Identifier: MIT
#pragma once

#include "codeentry/CodeEditor.h"
#include "codeentry/LabelEditor.h"
#include "common/Prompter.h"
#include "profile/ProgramProfile.h"

#include <QList>
#include <QMainWindow>

#include <array>
#include <memory>

class CodePageMenu;
class KeyDocument;
class KeyGrid;
class KeySelection;
class QAction;
class RecentFiles;
class QToolButton;
class TKey;
class TTestKeysDlg;
class TViewDlg;
class TProgDlg;

// The main window of either program: tool bar, menu, the key grid and the commands. It hands
// every edit to the layout's document, which knows whether the configuration has changed since
// it was last saved or loaded, acts on the key the selection holds, and asks before work could
// be lost.
class TMainDlg : public QMainWindow
{
    Q_OBJECT
public:
    enum class LoadOrigin
    {
        StartUp,
        Command
    };

    explicit TMainDlg(const ProgramProfile &profile, QWidget *parent = nullptr);
    ~TMainDlg() override;

    const ProgramProfile &profile() const { return m_profile; }
    void setPrompter(std::unique_ptr<Prompter> prompter);
    Prompter &prompter() const { return *m_prompter; }
    void setLabelEditor(std::unique_ptr<LabelEditor> editor);
    void setCodeEditor(std::unique_ptr<CodeEditor> editor);
    // The code dialog, made the first time it is needed so start-up does not wait for it.
    CodeEditor &codeEditor();

    bool keysCreated() const { return m_keys.size() == m_profile.cellCount; }
    KeyDocument &document() const { return *m_document; }
    const KeyGrid &grid() const;
    int keyCount() const { return int(m_keys.size()); }
    TKey *key(int index) const { return m_keys.at(index); }
    KeySelection &selection() const { return *m_selection; }
    TKey *SelectedKey() const;
    // The selected cell's index in the grid, or -1.
    int selectedIndex() const;
    bool ConfigChanged() const;

    QAction *action(Command c) const { return m_actions[int(c)]; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QToolButton *toolButton(Command c) const { return m_buttons[int(c)]; }
    QWidget *clientArea() const { return m_client; }
    // The layout view window, or null in a program without View and Print.
    TViewDlg *view() const { return m_view.get(); }
    // The key tester's window, once Test Keys has opened it.
    TTestKeysDlg *testKeys() const { return m_testKeys.get(); }
    // The layout as the key test's report names it: its file, and whether it has changed.
    QString layoutName() const;

    bool LoadConfigFile(const QString &path, LoadOrigin origin);
    // Returns whether the file was written.
    bool SaveConfigFile(const QString &path);
    // Loads the file as the Load command does after its dialog, asking to save changes first.
    void openFile(const QString &path);
    // A file chosen from the recent files: one that is gone is taken off the list.
    void openRecent(const QString &path);
    // A file dropped on the window: one this program does not load is refused before anything
    // is asked.
    void openDropped(const QString &path);
    RecentFiles &recentFiles() const { return *m_recent; }
    // The Edit menu's choice of the labels' code page.
    CodePageMenu *codePages() const { return m_codePages; }
    void DeselectKey();
    void EnableKeyCommands(bool enabled);
    // The hourglass while a programming run works, or the default cursor.
    void SetBusyCursor(bool busy);
    // The programming run and the driver channel.
    TProgDlg &progDlg() const { return *m_progDlg; }

public slots:
    void KeyClick(TKey *key, Qt::KeyboardModifiers modifiers);
    // Shows what the grid changed.
    void showCells(const QList<int> &indices);
    void sExitClick();
    void sNewClick();
    void sLoadClick();
    // Returns whether the configuration was saved.
    bool sSaveClick();
    void sLabelClick();
    void sScanClick();
    void sColorClick();
    void sProg1Click();
    void sProgAllClick();
    void sViewClick();
    void sPrintClick();
    void sTestKeysClick();
    // Points out these keys, and no others, for the key tester.
    void markKeys(const QList<int> &indices);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createCommands();
    void createEditCommands();
    void createMenu();
    // The tool-bar pictures, in the colours of the current palette.
    void showPictures();
    void createKeys();
    void createDecorations();
    // Offers to save unsaved changes; false means the command that asked must not go on.
    bool saveChangesFirst(const QString &question);
    QString dialogStartPath() const;
    LabelEditor &labelEditor();

    const ProgramProfile &m_profile;
    std::unique_ptr<Prompter> m_prompter;
    std::unique_ptr<LabelEditor> m_labelEditor; // made when first needed
    std::unique_ptr<CodeEditor> m_codeEditor;
    KeyDocument *m_document = nullptr;
    QWidget *m_client = nullptr;
    KeySelection *m_selection = nullptr;
    QList<TKey *> m_keys;
    std::array<QAction *, CommandCount> m_actions{};
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    std::array<QToolButton *, CommandCount> m_buttons{};
    std::unique_ptr<TViewDlg> m_view;
    std::unique_ptr<TTestKeysDlg> m_testKeys;
    class RunHost;
    std::unique_ptr<RunHost> m_runHost;
    std::unique_ptr<TProgDlg> m_progDlg; // goes before the host it uses
    bool m_painted = false;
    RecentFiles *m_recent = nullptr;
    CodePageMenu *m_codePages = nullptr;
};
