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
#include <optional>

class CodePageMenu;
class KeyDocument;
class KeyGrid;
class KeySelection;
class QAction;
class QMimeData;
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
    // The Edit menu's commands besides Undo and Redo.
    enum class EditCommand
    {
        Cut,
        Copy,
        Paste,
        Clear,
        SelectAll,
        MergeRight,
        MergeDown,
        Split
    };
    static constexpr int EditCommandCount = 8;

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
    // Null for a command the program lacks (merging on the key lock).
    QAction *editAction(EditCommand c) const { return m_editActions[int(c)]; }
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
    // With several keys selected, back to one: the key the focus mark points at, if selected,
    // else the first.
    void backToOneKey();
    void EnableKeyCommands(bool enabled);
    // Enables each key command for what the selection holds: the commands for one key with one
    // selected, those for many with any, Paste when the clipboard holds this program's keys.
    void updateKeyCommands();
    // What a key dragged from this window carries: the key as on the clipboard, and where it
    // came from, so that a drop on another key of this window swaps or copies.
    QMimeData *keyDragData(int index) const;
    // A drag dropped on target: Move swaps with a key of this window, Copy (Ctrl) copies it;
    // keys from elsewhere are pasted. Returns the action taken, IgnoreAction for none.
    Qt::DropAction dropOnKey(int target, const QMimeData &data, Qt::DropAction action);
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
    void copyKeys();
    void cutKeys();
    void pasteKeys();
    void clearKeys();
    void selectAllKeys();
    // Merge Right and Merge Down: what a Shift+click on that neighbour does, where it merges.
    void mergeNeighbour(bool right);
    void splitKey();
    // Points out these keys, and no others, for the key tester.
    void markKeys(const QList<int> &indices);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createCommands();
    void createEditCommands();
    void addEditMenu();
    void updateEditCommands(bool anyKey, bool oneKey);
    void startKeyDrag(TKey *key);
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
    std::array<QAction *, EditCommandCount> m_editActions{};
    // Whether the clipboard holds keys this program takes; asked once after each change of it,
    // and not before a key is selected: asking the desktop's clipboard can take a while.
    std::optional<bool> m_clipboardHasKeys;
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
