// SPDX-License-Identifier: MIT
#include "TMainDlg.h"

#include "CodePageMenu.h"
#include "FileDrop.h"
#include "GridKeyboard.h"
#include "HelpMenu.h"
#include "LockPicture.h"
#include "RecentFiles.h"
#include "ToolPicture.h"
#include "codeentry/TLabelDlg.h"
#include "codeentry/TScanDlg.h"
#include "common/DialogPrompter.h"
#include "common/WindowGeometry.h"
#include "keymodel/FaceFonts.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"
#include "keymodel/LabelCodePage.h"
#include "keymodel/TKey.h"
#include "keytest/TTestKeysDlg.h"
#include "layoutview/TViewDlg.h"
#include "profile/Messages.h"
#include "profile/Version.h"
#include "programming/TProgDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>

// The pictures live in the widget library, which is static: its resources must be registered
// by hand before the first window uses them.
static void initResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

// Everything about one command in one row: how it looks in the menu and the tool bar, and
// what it does. A row cannot pair one command's shortcut with another's handler.
struct CommandRow
{
    Command command;
    const char *caption; // menu caption, & before the underlined letter
    const char *hint;    // tool-bar tooltip
    const char *icon;    // tool-bar picture
    QKeyCombination shortcut;
    const char *objectName;
    const char *buttonName;
    void (*run)(TMainDlg &);
};

constexpr QKeyCombination NoShortcut{};

const CommandRow Commands[] = {
    // Ctrl+Q is the desktops' own quit key (QKeySequence::Quit), where they have one; the
    // generic scheme Qt falls back on has none, so it is named here.
    {Command::Exit, QT_TRANSLATE_NOOP("TMainDlg", "E&xit"), QT_TRANSLATE_NOOP("TMainDlg", "Exit"),
     ":/icons/exit.xpm", Qt::CTRL | Qt::Key_Q, "Exit1", "sExit",
     [](TMainDlg &d) { d.sExitClick(); }},
    {Command::New, QT_TRANSLATE_NOOP("TMainDlg", "&New"), QT_TRANSLATE_NOOP("TMainDlg", "New"),
     ":/icons/new.xpm", Qt::CTRL | Qt::Key_N, "New1", "sNew", [](TMainDlg &d) { d.sNewClick(); }},
    {Command::Load, QT_TRANSLATE_NOOP("TMainDlg", "L&oad"), QT_TRANSLATE_NOOP("TMainDlg", "Load"),
     ":/icons/load.xpm", Qt::CTRL | Qt::Key_O, "Load1", "sLoad",
     [](TMainDlg &d) { d.sLoadClick(); }},
    {Command::Save, QT_TRANSLATE_NOOP("TMainDlg", "&Save"), QT_TRANSLATE_NOOP("TMainDlg", "Save"),
     ":/icons/save.xpm", Qt::CTRL | Qt::Key_S, "Save1", "sSave",
     [](TMainDlg &d) { d.sSaveClick(); }},
    {Command::Label, QT_TRANSLATE_NOOP("TMainDlg", "&Label"),
     QT_TRANSLATE_NOOP("TMainDlg", "Label"), ":/icons/label.xpm", Qt::CTRL | Qt::Key_L, "mLabel",
     "sLabel", [](TMainDlg &d) { d.sLabelClick(); }},
    {Command::Code, QT_TRANSLATE_NOOP("TMainDlg", "Co&de"), QT_TRANSLATE_NOOP("TMainDlg", "Code"),
     ":/icons/code.xpm", Qt::CTRL | Qt::Key_D, "mScan", "sScan",
     [](TMainDlg &d) { d.sScanClick(); }},
    {Command::Color, QT_TRANSLATE_NOOP("TMainDlg", "Colo&r"),
     QT_TRANSLATE_NOOP("TMainDlg", "Color"), ":/icons/color.xpm", Qt::CTRL | Qt::Key_R, "mColor",
     "sColor", [](TMainDlg &d) { d.sColorClick(); }},
    {Command::ProgOne, QT_TRANSLATE_NOOP("TMainDlg", "Prog One"),
     QT_TRANSLATE_NOOP("TMainDlg", "Prog One"), ":/icons/prog1.xpm", NoShortcut, "mProg1", "sProg1",
     [](TMainDlg &d) { d.sProg1Click(); }},
    {Command::ProgAll, QT_TRANSLATE_NOOP("TMainDlg", "Prog All"),
     QT_TRANSLATE_NOOP("TMainDlg", "Prog All"), ":/icons/progall.xpm", NoShortcut, "ProgAll1",
     "sProgAll", [](TMainDlg &d) { d.sProgAllClick(); }},
    {Command::View, QT_TRANSLATE_NOOP("TMainDlg", "&View"), QT_TRANSLATE_NOOP("TMainDlg", "View"),
     ":/icons/view.xpm", Qt::CTRL | Qt::Key_V, "View1", "sView",
     [](TMainDlg &d) { d.sViewClick(); }},
    {Command::Print, QT_TRANSLATE_NOOP("TMainDlg", "&Print"),
     QT_TRANSLATE_NOOP("TMainDlg", "Print"), ":/icons/print.xpm", Qt::CTRL | Qt::Key_P, "Print1",
     "sPrint", [](TMainDlg &d) { d.sPrintClick(); }},
    {Command::TestKeys, QT_TRANSLATE_NOOP("TMainDlg", "&Test Keys"),
     QT_TRANSLATE_NOOP("TMainDlg", "Test Keys"), nullptr, Qt::CTRL | Qt::Key_T, "TestKeys1",
     nullptr, [](TMainDlg &d) { d.sTestKeysClick(); }},
};

constexpr Command KeyCommands[] = {Command::Label, Command::Code, Command::Color, Command::ProgOne};
// Of those, the commands that act on one key only; the others act on every selected key.
constexpr Command OneKeyCommands[] = {Command::Label, Command::Code, Command::ProgOne};

constexpr int ToolButtonSize = 25;
// The resource a command's tool-bar picture is made from, kept on its action.
constexpr char PicturePath[] = "picturePath";

} // namespace

// What the programming run needs of this window.
class TMainDlg::RunHost : public TProgDlg::Host
{
public:
    explicit RunHost(TMainDlg &window) : m_window(window) {}
    KeyDocument &document() override { return m_window.document(); }
    Prompter &prompter() override { return m_window.prompter(); }
    void SetBusyCursor(bool busy) override { m_window.SetBusyCursor(busy); }
    QWidget *window() override { return &m_window; }

private:
    TMainDlg &m_window;
};

TMainDlg::TMainDlg(const ProgramProfile &profile, QWidget *parent)
    : QMainWindow(parent), m_profile(profile),
      m_prompter(std::make_unique<DialogPrompter>(this, profile.name))
{
    initResources();
    setWindowTitle(profile.name);
    // A fixed window with a minimise button and no maximise, as befits a fixed grid.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    m_client = new QWidget(this);
    m_client->setFixedSize(WindowGeometry::of(profile).clientSize);
    setCentralWidget(m_client);

    createCommands();
    showPictures();
    createDecorations();
    createKeys();
    createEditCommands();
    createMenu();
    if (m_profile.has(Command::View) && m_document)
        m_view = std::make_unique<TViewDlg>(grid(), this);
    updateKeyCommands();
    if (keysCreated()) {
        new GridKeyboard(*this, m_client);
        m_client->setFocus();
        new FileDrop(this, [this](const QString &path) {
            m_progDlg->whenIdle([this, path] { openDropped(path); });
        });
    }
    setFixedSize(sizeHint());
    m_runHost = std::make_unique<RunHost>(*this);
    m_progDlg = std::make_unique<TProgDlg>(profile, *m_runHost);
}

TMainDlg::~TMainDlg() = default;

void TMainDlg::setPrompter(std::unique_ptr<Prompter> prompter)
{
    m_prompter = std::move(prompter);
}

void TMainDlg::setLabelEditor(std::unique_ptr<LabelEditor> editor)
{
    m_labelEditor = std::move(editor);
}

LabelEditor &TMainDlg::labelEditor()
{
    // Made at the first Label command rather than at start-up, which must stay quick.
    if (!m_labelEditor) {
        const LabelCodec &codec = LabelCodePage::current();
        // Said once, before the first label is edited: labels in the other characters of the
        // code page cannot be typed, and those already there show as other characters.
        if (!codec.isAvailable())
            m_prompter->failure(
                tr("This system's Qt lacks the %1 code page, so labels are shown and "
                   "edited one byte per character.")
                    .arg(QString::fromLatin1(codec.encoding())));
        m_labelEditor = std::make_unique<TLabelDlg>(codec, this);
    }
    return *m_labelEditor;
}

void TMainDlg::setCodeEditor(std::unique_ptr<CodeEditor> editor)
{
    m_codeEditor = std::move(editor);
}

CodeEditor &TMainDlg::codeEditor()
{
    if (!m_codeEditor)
        m_codeEditor = std::make_unique<TScanDlg>(m_profile.name, this);
    return *m_codeEditor;
}

void TMainDlg::createCommands()
{
    for (const CommandRow &row : Commands) {
        if (!m_profile.has(row.command))
            continue;
        // One action serves menu item and tool-bar button, so both are always enabled alike.
        auto *action = new QAction(QIcon(), tr(row.caption), this);
        action->setObjectName(QString::fromLatin1(row.objectName));
        action->setToolTip(tr(row.hint));
        if (row.shortcut != NoShortcut)
            action->setShortcut(row.shortcut);
        // No command starts while the keyboard is being programmed: one asked for meanwhile
        // waits for the run's end.
        connect(action, &QAction::triggered, this,
                [this, run = row.run] { m_progDlg->whenIdle([this, run] { run(*this); }); });
        m_actions[int(row.command)] = action;
        if (row.icon)
            action->setProperty(PicturePath, QString::fromLatin1(row.icon));
        const std::optional<int> left = WindowGeometry::of(m_profile).toolButtonLeft(row.command);
        if (!left)
            continue;

        auto *button = new QToolButton(m_client);
        button->setObjectName(QString::fromLatin1(row.buttonName));
        button->setDefaultAction(action);
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(*left, 0, ToolButtonSize, ToolButtonSize);
        m_buttons[int(row.command)] = button;
    }
}

void TMainDlg::showPictures()
{
    for (QAction *action : m_actions)
        if (action && action->property(PicturePath).isValid())
            action->setIcon(ToolPicture::icon(action->property(PicturePath).toString(), palette()));
}

void TMainDlg::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A new desktop theme, or a style sheet, gives the pictures' lines another colour.
    if (event->type() == QEvent::PaletteChange)
        showPictures();
}

void TMainDlg::createMenu()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(action(Command::New));
    file->addAction(action(Command::Load));
    m_recent = new RecentFiles(file->addMenu(tr("Recent &Files")), this);
    connect(m_recent, &RecentFiles::chosen, this, [this](const QString &path) {
        m_progDlg->whenIdle([this, path] { openRecent(path); });
    });
    file->addAction(action(Command::Save));
    file->addSeparator();
    if (m_profile.has(Command::View)) {
        file->addAction(action(Command::View));
        file->addAction(action(Command::Print));
        file->addSeparator();
    }
    file->addAction(action(Command::Exit));

    addEditMenu();

    QMenu *config = menuBar()->addMenu(tr("&Config"));
    config->addAction(action(Command::Label));
    config->addAction(action(Command::Code));
    if (m_profile.has(Command::Color))
        config->addAction(action(Command::Color));
    config->addSeparator();
    config->addAction(action(Command::ProgOne));
    config->addAction(action(Command::ProgAll));
    config->addSeparator();
    config->addAction(action(Command::TestKeys));

    HelpMenu::add(*menuBar(), m_profile, this);
}

void TMainDlg::createDecorations()
{
    auto *version = new QLabel(
        Messages::shown(Messages::Version).arg(QStringLiteral(TAVRIN_VERSION)), m_client);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const WindowGeometry &geometry = WindowGeometry::of(m_profile);
    version->setGeometry(geometry.versionLabel);

    if (geometry.lockPicture) {
        auto *picture = new QLabel(m_client);
        picture->setObjectName(QStringLiteral("lockPicture"));
        picture->setAccessibleName(tr("Key lock"));
        picture->setPixmap(QPixmap::fromImage(LockPicture::render()));
        picture->setAlignment(Qt::AlignCenter);
        picture->setGeometry(0, 102, 325, 240);
    }
}

void TMainDlg::createKeys()
{
    try {
        m_document = new KeyDocument(m_profile, this);
        connect(&grid(), &KeyGrid::cellsChanged, this, &TMainDlg::showCells);
        m_selection = new KeySelection(this);
        // The key commands act on the selected key: they are there while there is one.
        connect(m_selection, &KeySelection::changed, this, &TMainDlg::updateKeyCommands);
        m_keys.reserve(m_profile.cellCount);
        for (int i = 0; i < m_profile.cellCount; ++i) {
            auto *key = new TKey(grid(), *m_selection, i, m_client);
            key->move(WindowGeometry::of(m_profile).cellPosition(m_profile, i));
            connect(key, &TKey::clicked, this, &TMainDlg::KeyClick);
            connect(key, &TKey::dragStarted, this, &TMainDlg::startKeyDrag);
            connect(key, &TKey::dropped, this,
                    [this](TKey *target, const QMimeData *data, Qt::DropAction action) {
                        dropOnKey(target->Tag(), *data, action);
                    });
            m_keys.append(key);
        }
    } catch (const std::bad_alloc &) {
        // keysCreated() tells the program to report this and stop.
    }
}

void TMainDlg::showCells(const QList<int> &indices)
{
    for (int i : indices)
        if (i < m_keys.size())
            m_keys.at(i)->sync();
    // An undo can cover a selected cell again; no command may edit a covered cell.
    if (m_selection) {
        QList<int> shown = m_selection->keys();
        shown.removeIf([this](int i) { return !grid().cell(i).Visible; });
        m_selection->selectKeys(shown);
    }
}

const KeyGrid &TMainDlg::grid() const
{
    return m_document->grid();
}

bool TMainDlg::ConfigChanged() const
{
    return m_document && m_document->isModified();
}

int TMainDlg::selectedIndex() const
{
    return m_selection ? m_selection->current() : -1;
}

TKey *TMainDlg::SelectedKey() const
{
    const int index = selectedIndex();
    return index >= 0 ? m_keys.at(index) : nullptr;
}

void TMainDlg::DeselectKey()
{
    if (m_selection)
        m_selection->clear();
}

void TMainDlg::EnableKeyCommands(bool enabled)
{
    for (Command c : KeyCommands)
        if (QAction *a = action(c))
            a->setEnabled(enabled);
}

void TMainDlg::updateKeyCommands()
{
    const bool any = m_selection && !m_selection->isEmpty();
    EnableKeyCommands(any);
    const bool one = any && m_selection->isSingle();
    for (Command c : OneKeyCommands)
        if (QAction *a = action(c))
            a->setEnabled(one);
    updateEditCommands(any, one);
}

void TMainDlg::KeyClick(TKey *key, Qt::KeyboardModifiers modifiers)
{
    // Ctrl+click adds the key to the selection or takes it out.
    if (modifiers.testFlag(Qt::ControlModifier)) {
        m_selection->toggle(key->Tag());
        m_selection->setFocus(key->Tag());
        return;
    }
    // Only the keyboard program merges; the key lock takes a Shift+click as a plain click.
    const bool shift = m_profile.mergesKeys() && modifiers.testFlag(Qt::ShiftModifier);
    if (m_selection->count() > 1) {
        // Merging needs one key: Shift+click does nothing, a plain click goes back to one.
        if (!shift)
            m_selection->select(key->Tag());
        return;
    }
    if (m_selection->contains(key->Tag())) {
        if (shift)
            m_document->SplitKey(key->Tag());
        else
            DeselectKey();
        return;
    }
    if (!m_selection->isEmpty() && shift && m_document->MergeKey(selectedIndex(), key->Tag()))
        return;
    m_selection->select(key->Tag());
}

void TMainDlg::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // The window is on the screen before the driver channel is opened: opening it may install
    // a driver, and start-up must not wait for that.
    if (!m_painted) {
        m_painted = true;
        QMetaObject::invokeMethod(
            this, [this] { m_progDlg->openChannel(); }, Qt::QueuedConnection);
    }
}

void TMainDlg::closeEvent(QCloseEvent *event)
{
    // A run cut in half would leave the keyboard half-programmed: the window closes after it.
    if (m_progDlg->running()) {
        event->ignore();
        m_progDlg->whenIdle([this] { close(); });
        return;
    }
    // However the window is closed, unsaved changes get the same question as Exit.
    if (saveChangesFirst(Messages::shown(Messages::SaveBeforeExit)))
        event->accept();
    else
        event->ignore();
}
