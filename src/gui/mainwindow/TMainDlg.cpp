#include "TMainDlg.h"

#include "LockPicture.h"
#include "common/DialogPrompter.h"
#include "keymodel/ColorValue.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/TKey.h"
#include "profile/Messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

#include <functional>

// The pictures live in the widget library, which is static: its resources must be registered
// by hand before the first window uses them.
static void initResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

struct CommandLook
{
    const char *caption; // menu caption, & before the underlined letter
    const char *hint;    // tool-bar tooltip
    const char *icon;    // tool-bar picture
    QKeySequence shortcut;
    const char *objectName;
    const char *buttonName;
};

// In the order of Command.
const CommandLook Looks[CommandCount] = {
    {"E&xit", "Exit", ":/icons/exit.xpm", {}, "Exit1", "sExit"},
    {"&New", "New", ":/icons/new.xpm", QKeySequence(Qt::CTRL | Qt::Key_N), "New1", "sNew"},
    {"L&oad", "Load", ":/icons/load.xpm", QKeySequence(Qt::CTRL | Qt::Key_O), "Load1", "sLoad"},
    {"&Save", "Save", ":/icons/save.xpm", QKeySequence(Qt::CTRL | Qt::Key_S), "Save1", "sSave"},
    {"&Label", "Label", ":/icons/label.xpm", QKeySequence(Qt::CTRL | Qt::Key_L), "mLabel",
     "sLabel"},
    {"Co&de", "Code", ":/icons/code.xpm", QKeySequence(Qt::CTRL | Qt::Key_D), "mScan", "sScan"},
    {"Colo&r", "Color", ":/icons/color.xpm", QKeySequence(Qt::CTRL | Qt::Key_R), "mColor",
     "sColor"},
    {"Prog One", "Prog One", ":/icons/prog1.xpm", {}, "mProg1", "sProg1"},
    {"Prog All", "Prog All", ":/icons/progall.xpm", {}, "ProgAll1", "sProgAll"},
    {"&View", "View", ":/icons/view.xpm", QKeySequence(Qt::CTRL | Qt::Key_V), "View1", "sView"},
    {"&Print", "Print", ":/icons/print.xpm", QKeySequence(Qt::CTRL | Qt::Key_P), "Print1",
     "sPrint"},
};

constexpr Command KeyCommands[] = {Command::Label, Command::Code, Command::Colour,
                                   Command::ProgOne};

constexpr int ToolButtonSize = 25;

} // namespace

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
    m_client->setFixedSize(profile.clientSize);
    setCentralWidget(m_client);

    createCommands();
    createToolBar();
    createMenu();
    createDecorations();
    createKeys();
    EnableKeyCommands(false);
    setFixedSize(sizeHint());
}

TMainDlg::~TMainDlg() = default;

void TMainDlg::setPrompter(std::unique_ptr<Prompter> prompter)
{
    m_prompter = std::move(prompter);
}

void TMainDlg::createCommands()
{
    const std::function<void()> handlers[CommandCount] = {
        [this] { sExitClick(); },  [this] { sNewClick(); },   [this] { sLoadClick(); },
        [this] { sSaveClick(); },  [this] { sLabelClick(); }, [this] { sScanClick(); },
        [this] { sColorClick(); }, [this] { sProg1Click(); }, [this] { sProgAllClick(); },
        [this] { sViewClick(); },  [this] { sPrintClick(); },
    };
    for (int c = 0; c < CommandCount; ++c) {
        if (!m_profile.has(Command(c)))
            continue;
        const CommandLook &look = Looks[c];
        // One action serves menu item and tool-bar button, so both are always enabled alike.
        auto *action = new QAction(QIcon(QString::fromLatin1(look.icon)),
                                   QString::fromLatin1(look.caption), this);
        action->setObjectName(QString::fromLatin1(look.objectName));
        action->setToolTip(QString::fromLatin1(look.hint));
        action->setShortcut(look.shortcut);
        connect(action, &QAction::triggered, this, handlers[c]);
        m_actions[c] = action;
    }
}

void TMainDlg::createToolBar()
{
    for (int c = 0; c < CommandCount; ++c) {
        if (!m_actions[c])
            continue;
        auto *button = new QToolButton(m_client);
        button->setObjectName(QString::fromLatin1(Looks[c].buttonName));
        button->setDefaultAction(m_actions[c]);
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(m_profile.toolButtonLeft[c], 0, ToolButtonSize, ToolButtonSize);
        m_buttons[c] = button;
    }
}

void TMainDlg::createMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(action(Command::New));
    file->addAction(action(Command::Load));
    file->addAction(action(Command::Save));
    file->addSeparator();
    if (m_profile.has(Command::View)) {
        file->addAction(action(Command::View));
        file->addAction(action(Command::Print));
        file->addSeparator();
    }
    file->addAction(action(Command::Exit));

    QMenu *config = menuBar()->addMenu(QStringLiteral("&Config"));
    config->addAction(action(Command::Label));
    config->addAction(action(Command::Code));
    if (m_profile.has(Command::Colour))
        config->addAction(action(Command::Colour));
    config->addSeparator();
    config->addAction(action(Command::ProgOne));
    config->addAction(action(Command::ProgAll));
}

void TMainDlg::createDecorations()
{
    auto *version = new QLabel(QString::fromLatin1(Messages::Version), m_client);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version->setGeometry(m_profile.versionLabel);

    if (m_profile.lockPicture) {
        auto *picture = new QLabel(m_client);
        picture->setObjectName(QStringLiteral("lockPicture"));
        picture->setPixmap(QPixmap::fromImage(LockPicture::render()));
        picture->setAlignment(Qt::AlignCenter);
        picture->setGeometry(0, 102, 325, 240);
    }
}

void TMainDlg::createKeys()
{
    try {
        m_keys.reserve(m_profile.cellCount);
        for (int i = 0; i < m_profile.cellCount; ++i) {
            auto *key = new TKey(i, m_profile.defaultLabel(i), m_client);
            key->move(m_profile.cellPosition(i));
            connect(key, &TKey::clicked, this, &TMainDlg::KeyClick);
            m_keys.append(key);
        }
    } catch (const std::bad_alloc &) {
        // keysCreated() tells the program to report this and stop.
    }
}

void TMainDlg::centreOnScreen()
{
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

QList<KeyCell> TMainDlg::cells() const
{
    QList<KeyCell> result;
    result.reserve(m_keys.size());
    for (const TKey *key : m_keys)
        result.append(key->cell());
    return result;
}

QString TMainDlg::dialogStartPath() const
{
    return m_lastPath;
}

bool TMainDlg::LoadConfigFile(const QString &path, LoadOrigin origin)
{
    const ConfigFile::LoadResult loaded = ConfigFile::load(path, m_profile);
    switch (loaded.status) {
    case ConfigFile::LoadStatus::Missing:
        m_prompter->failure(QString::fromLatin1(Messages::FileMissing));
        return false;
    case ConfigFile::LoadStatus::Invalid:
        m_prompter->failure(QString::fromLatin1(Messages::FileInvalid));
        return false;
    case ConfigFile::LoadStatus::OpenFailed:
        m_prompter->failure(origin == LoadOrigin::Command
                                ? m_profile.loadOpenFailureText
                                : QString::fromLatin1(Messages::OpenFailedAtStartUp));
        return false;
    case ConfigFile::LoadStatus::ReadFailed:
        m_prompter->failure(QString::fromLatin1(Messages::LoadFailed));
        return false;
    case ConfigFile::LoadStatus::Loaded:
        break;
    }
    DeselectKey();
    m_configChanged = false;
    for (int i = 0; i < m_keys.size(); ++i)
        m_keys[i]->setCell(loaded.cells[i]);
    m_lastPath = QFileInfo(path).absoluteFilePath();
    return true;
}

bool TMainDlg::SaveConfigFile(const QString &path)
{
    if (QFileInfo::exists(path) &&
        !m_prompter->askYesNo(QString::fromLatin1(Messages::OverwriteQuestion)))
        return false;
    if (!ConfigFile::save(path, cells(), m_profile)) {
        m_prompter->failure(QString::fromLatin1(Messages::SaveFailed));
        return false;
    }
    m_configChanged = false;
    m_lastPath = QFileInfo(path).absoluteFilePath();
    return true;
}

void TMainDlg::DeselectKey()
{
    if (!m_selectedKey)
        return;
    m_selectedKey->setDown(false);
    m_selectedKey = nullptr;
    EnableKeyCommands(false);
}

void TMainDlg::EnableKeyCommands(bool enabled)
{
    for (Command c : KeyCommands)
        if (QAction *a = action(c))
            a->setEnabled(enabled);
}

void TMainDlg::KeyClick(TKey *key, Qt::KeyboardModifiers)
{
    if (key == m_selectedKey) {
        DeselectKey();
        return;
    }
    if (m_selectedKey)
        m_selectedKey->setDown(false);
    else
        EnableKeyCommands(true);
    key->setDown(true);
    m_selectedKey = key;
}

bool TMainDlg::saveChangesFirst(const QString &question)
{
    if (!m_configChanged)
        return true;
    switch (m_prompter->askYesNoCancel(question)) {
    case Prompter::Answer::Yes:
        // A save that was cancelled or failed must not let the changes be thrown away.
        return sSaveClick();
    case Prompter::Answer::No:
        return true;
    case Prompter::Answer::Cancel:
        break;
    }
    return false;
}

void TMainDlg::sExitClick()
{
    close();
}

void TMainDlg::closeEvent(QCloseEvent *event)
{
    // However the window is closed, unsaved changes get the same question as Exit.
    if (saveChangesFirst(QString::fromLatin1(Messages::SaveBeforeExit)))
        event->accept();
    else
        event->ignore();
}

void TMainDlg::sNewClick()
{
    if (!saveChangesFirst(QString::fromLatin1(Messages::SaveBeforeNew)))
        return;
    m_configChanged = false;
    DeselectKey();
    for (TKey *key : m_keys)
        key->ResetKey();
}

void TMainDlg::sLoadClick()
{
    if (!saveChangesFirst(QString::fromLatin1(Messages::SaveBeforeLoad)))
        return;
    const QString path = m_prompter->openFileName(m_profile.openFilter, dialogStartPath());
    if (path.isEmpty())
        return;
    LoadConfigFile(path, LoadOrigin::Command);
}

bool TMainDlg::sSaveClick()
{
    const QString chosen =
        m_prompter->saveFileName(m_profile.saveFilter, m_profile.extension, dialogStartPath());
    if (chosen.isEmpty())
        return false;
    return SaveConfigFile(ConfigFile::withExtension(chosen, m_profile.extension));
}

void TMainDlg::sLabelClick() {}

void TMainDlg::sScanClick() {}

void TMainDlg::sColorClick()
{
    if (!m_selectedKey)
        return;
    const std::optional<QColor> chosen =
        m_prompter->chooseColor(ColorValue::resolve(m_selectedKey->Color(), palette()));
    if (!chosen)
        return;
    m_selectedKey->setColor(ColorValue::fromRgb(*chosen));
    m_configChanged = true;
}

void TMainDlg::sProg1Click() {}

void TMainDlg::sProgAllClick() {}

void TMainDlg::sViewClick() {}

void TMainDlg::sPrintClick() {}
