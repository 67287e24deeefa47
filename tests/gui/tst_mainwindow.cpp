#include "FakeCodeEditor.h"
#include "FakePrompter.h"
#include "TestFiles.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace TestFiles;

namespace {

// The programs' own texts, as their users know them (spelling included).
namespace Text {
const QString FileMissing = QStringLiteral("Specified file does not exists.");
const QString FileInvalid = QStringLiteral("Specified file is invalid.");
const QString SaveFailed = QStringLiteral("Failed to save configuration.");
const QString Overwrite = QStringLiteral("Specified file already exists.\nOverwrite it ?");
const QString SaveBeforeNew = QStringLiteral(
    "Key Configuration has already been changed.\nSave it before load new configration ?");
const QString SaveBeforeLoad = QStringLiteral(
    "Key Configuration has already been changed.\nSave it before load other configration?");
const QString SaveBeforeExit =
    QStringLiteral("Key Configuration has already been changed.\nSave it before exit ?");
} // namespace Text

// Runs a command as a user would: by its shortcut where it has one, else by its tool-bar button.
void runCommand(TMainDlg &dlg, const QString &name)
{
    static const QHash<QString, QKeySequence> shortcuts = {
        {"New", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"Load", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"Save", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"Colour", QKeySequence(QStringLiteral("Ctrl+R"))},
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

Window makeWindow(const QString &program)
{
    Window w;
    w.dlg = std::make_unique<TMainDlg>(profileNamed(program));
    auto prompter = std::make_unique<FakePrompter>();
    w.prompts = prompter.get();
    w.dlg->setPrompter(std::move(prompter));
    return w;
}

void click(TMainDlg &dlg, int index)
{
    QTest::mouseClick(dlg.key(index), Qt::LeftButton);
}

bool keyCommandsEnabled(TMainDlg &dlg, bool expected)
{
    for (Command c : {Command::Label, Command::Code, Command::Colour, Command::ProgOne}) {
        if (!dlg.profile().has(c))
            continue;
        if (dlg.action(c)->isEnabled() != expected || dlg.toolButton(c)->isEnabled() != expected)
            return false;
    }
    return true;
}

QByteArray usedCodes(const KeyCell &cell)
{
    return QByteArray(reinterpret_cast<const char *>(cell.Codes.data()), cell.CodeCount);
}

QStringList menuCaptions(TMainDlg &dlg, int menuIndex)
{
    QStringList captions;
    const QAction *menuAction = dlg.menuBar()->actions().at(menuIndex);
    for (const QAction *a : menuAction->menu()->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void initialWindow_data();
    void initialWindow();
    void menus_data();
    void menus();
    void commandTable_data();
    void commandTable();
    void versionLabel_data();
    void versionLabel();
    void fileDialogFilters_data();
    void fileDialogFilters();
    void selection();
    void promptedCommands_data();
    void promptedCommands();
    void noPromptWithoutChanges_data();
    void noPromptWithoutChanges();
    void windowManagerCloseAsks();
    void loadFailureChangesNothing_data();
    void loadFailureChangesNothing();
    void loadAppliesWholeFile();
    void startUpLoad_data();
    void startUpLoad();
    void saveAddsExtension_data();
    void saveAddsExtension();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void colourCommand();
    void codeCommand_data();
    void codeCommand();

private:
    // Makes the configuration differ from the last saved one, with cell 3 selected and blue.
    void makeChange(Window &w);
    QString validFile(const QString &program);

    QTemporaryDir m_dir;
    int m_fileNumber = 0;
};

void TestMainWindow::makeChange(Window &w)
{
    click(*w.dlg, 3);
    if (w.dlg->profile().has(Command::Colour)) {
        w.prompts->colours.enqueue(QColor(0, 0, 255));
        runCommand(*w.dlg, QStringLiteral("Colour"));
    } else {
        // The key lock has no colour command; what its changes are does not matter here.
        w.dlg->grid().setColor(3, 0x00FF0000u);
        w.dlg->setConfigChanged(true);
    }
    QVERIFY(w.dlg->ConfigChanged());
}

QString TestMainWindow::validFile(const QString &program)
{
    const ProgramProfile &p = profileNamed(program);
    QList<KeyCell> cells(p.cellCount);
    for (int i = 0; i < p.cellCount; ++i) {
        cells[i].ResetKey("file " + QByteArray::number(i));
        cells[i].Color = 0x0000FF00;
    }
    if (p.mergeable) {
        cells[0].ColSpan = 2;
        cells[0].RowSpan = 2;
        for (int covered : {1, 7, 8})
            cells[covered].Visible = false;
    }
    const QString path =
        m_dir.filePath(QStringLiteral("valid%1.%2").arg(++m_fileNumber).arg(p.extension));
    if (!ConfigFile::save(path, cells, p))
        qFatal("cannot write test file");
    return path;
}

void TestMainWindow::initialWindow_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("cells");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QList<int>>("probe"); // index, left, top, label
    QTest::newRow("Tavrin") << "Tavrin" << 84 << QSize(544, 384)
                            << QList<int>{0, 8,  41, 1, 6,  8,   305, 7,
                                          7, 52, 41, 8, 83, 492, 305, 84};
    QTest::newRow("Quelda") << "Quelda" << 7 << QSize(324, 374)
                            << QList<int>{5, 8, 41, 5, 6, 52, 41, 6, 0, 96, 41, 0, 4, 272, 41, 4};
}

void TestMainWindow::initialWindow()
{
    QFETCH(QString, program);
    QFETCH(int, cells);
    QFETCH(QSize, client);
    QFETCH(QList<int>, probe);
    Window w = makeWindow(program);
    TMainDlg &dlg = *w.dlg;
    QCOMPARE(dlg.windowTitle(), program);
    QCOMPARE(dlg.keyCount(), cells);
    QCOMPARE(dlg.clientArea()->size(), client);
    for (int i = 0; i < probe.size(); i += 4) {
        const TKey *key = dlg.key(probe[i]);
        QCOMPARE(key->pos(), QPoint(probe[i + 1], probe[i + 2]));
        QCOMPARE(key->cell().Caption, QByteArray::number(probe[i + 3]));
        QCOMPARE(key->size(), QSize(44, 44));
        QCOMPARE(key->cell().Color, KeyCell::ButtonFace);
    }
    QVERIFY(!dlg.SelectedKey());
    QVERIFY(!dlg.ConfigChanged());
    QVERIFY(keyCommandsEnabled(dlg, false));
    const bool keyboard = program == QLatin1String("Tavrin");
    for (const char *name : {"sColor", "sView", "sPrint"})
        QCOMPARE(dlg.findChild<QToolButton *>(QLatin1String(name)) != nullptr, keyboard);
    QCOMPARE(dlg.findChild<QWidget *>(QStringLiteral("lockPicture")) != nullptr, !keyboard);
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("config");
    QTest::newRow("Tavrin") << "Tavrin" << QStringList{"&New",  "L&oad",  "&Save", "-",
                                                       "&View", "&Print", "-",     "E&xit"}
                            << QStringList{"&Label", "Co&de",    "Colo&r",
                                           "-",      "Prog One", "Prog All"};
    QTest::newRow("Quelda") << "Quelda" << QStringList{"&New", "L&oad", "&Save", "-", "E&xit"}
                            << QStringList{"&Label", "Co&de", "-", "Prog One", "Prog All"};
}

void TestMainWindow::menus()
{
    QFETCH(QString, program);
    QFETCH(QStringList, file);
    QFETCH(QStringList, config);
    Window w = makeWindow(program);
    QCOMPARE(w.dlg->menuBar()->actions().size(), 2);
    QCOMPARE(w.dlg->menuBar()->actions().at(0)->text(), QStringLiteral("&File"));
    QCOMPARE(w.dlg->menuBar()->actions().at(1)->text(), QStringLiteral("&Config"));
    QCOMPARE(menuCaptions(*w.dlg, 0), file);
    QCOMPARE(menuCaptions(*w.dlg, 1), config);
    QCOMPARE(w.dlg->action(Command::Load)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(w.dlg->action(Command::Code)->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(w.dlg->toolButton(Command::Code)->toolTip(), QStringLiteral("Code"));
}

void TestMainWindow::commandTable_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("left"); // -1: the program lacks the command
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");

    struct Row
    {
        const char *button;
        int tavrinLeft;
        int queldaLeft;
        const char *hint;
        const char *caption;
        const char *shortcut;
        bool enabled;
    };
    const Row rows[] = {
        {"sExit", 8, 8, "Exit", "E&xit", "", true},
        {"sNew", 40, 40, "New", "&New", "Ctrl+N", true},
        {"sLoad", 64, 64, "Load", "L&oad", "Ctrl+O", true},
        {"sSave", 88, 88, "Save", "&Save", "Ctrl+S", true},
        {"sLabel", 120, 120, "Label", "&Label", "Ctrl+L", false},
        {"sScan", 144, 144, "Code", "Co&de", "Ctrl+D", false},
        {"sColor", 168, -1, "Color", "Colo&r", "Ctrl+R", false},
        {"sProg1", 200, 176, "Prog One", "Prog One", "", false},
        {"sProgAll", 224, 200, "Prog All", "Prog All", "", true},
        {"sView", 256, -1, "View", "&View", "Ctrl+V", true},
        {"sPrint", 280, -1, "Print", "&Print", "Ctrl+P", true},
    };
    for (const Row &r : rows) {
        for (const char *program : {"Tavrin", "Quelda"}) {
            const bool tavrin = program == QLatin1String("Tavrin");
            QTest::addRow("%s %s", program, r.button)
                << program << r.button << (tavrin ? r.tavrinLeft : r.queldaLeft) << r.hint
                << r.caption << r.shortcut << r.enabled;
        }
    }
}

void TestMainWindow::commandTable()
{
    QFETCH(QString, program);
    QFETCH(QString, button);
    QFETCH(int, left);
    QFETCH(QString, hint);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);
    Window w = makeWindow(program);
    const auto *b = w.dlg->findChild<QToolButton *>(button);
    if (left < 0) {
        QVERIFY(!b);
        return;
    }
    QVERIFY(b);
    QCOMPARE(b->geometry(), QRect(left, 0, 25, 25));
    QCOMPARE(b->toolTip(), hint);
    QCOMPARE(b->isEnabled(), enabled);
    QCOMPARE(b->icon().actualSize(QSize(16, 16)), QSize(16, 16));
    // The menu item is the button's own action, with its caption and shortcut.
    QAction *a = b->defaultAction();
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), QKeySequence(shortcut));
    bool inMenu = false;
    for (const QAction *menu : w.dlg->menuBar()->actions())
        inMenu = inMenu || menu->menu()->actions().contains(a);
    QVERIFY(inMenu);
}

void TestMainWindow::versionLabel_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Tavrin") << "Tavrin" << QRect(440, 360, 92, 15);
    QTest::newRow("Quelda") << "Quelda" << QRect(216, 352, 97, 19);
}

void TestMainWindow::versionLabel()
{
    QFETCH(QString, program);
    QFETCH(QRect, geometry);
    Window w = makeWindow(program);
    const auto *label = w.dlg->findChild<QLabel *>(QStringLiteral("versionLabel"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Version 1.0.0"));
    QCOMPARE(label->geometry(), geometry);
    QVERIFY(label->alignment() & Qt::AlignRight);
}

void TestMainWindow::fileDialogFilters_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("save");
    QTest::newRow("Tavrin") << "Tavrin"
                            << "Tavrin Keyboard Config file(*tvr)|*.tvr"
                            << "Tavrin Keyboard Config file(*.tvr)|*.tvr";
    QTest::newRow("Quelda") << "Quelda"
                            << "Key Lock Config file(*.qld)|*.qld"
                            << "Key Lock Config file(*.qld)|*.qld";
}

void TestMainWindow::fileDialogFilters()
{
    QFETCH(QString, program);
    QFETCH(QString, open);
    QFETCH(QString, save);
    Window w = makeWindow(program);
    runCommand(*w.dlg, QStringLiteral("Load"));
    runCommand(*w.dlg, QStringLiteral("Save"));
    QCOMPARE(w.prompts->filters, (QStringList{open, save}));
}

void TestMainWindow::selection()
{
    for (const char *program : {"Tavrin", "Quelda"}) {
        Window w = makeWindow(QLatin1String(program));
        TMainDlg &dlg = *w.dlg;
        dlg.show();
        click(dlg, 5);
        QCOMPARE(dlg.SelectedKey(), dlg.key(5));
        QVERIFY(keyCommandsEnabled(dlg, true));
        click(dlg, 2);
        QCOMPARE(dlg.SelectedKey(), dlg.key(2));
        QVERIFY(dlg.key(2)->Down());
        QVERIFY(!dlg.key(5)->Down());
        QVERIFY(keyCommandsEnabled(dlg, true));
        click(dlg, 2);
        QVERIFY(!dlg.SelectedKey());
        QVERIFY(!dlg.key(2)->Down());
        QVERIFY(keyCommandsEnabled(dlg, false));
        QVERIFY(!dlg.ConfigChanged());
    }
}

enum class SaveOutcome
{
    Saved,
    DialogCancelled,
    Failed
};

void TestMainWindow::promptedCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<int>("save");
    QTest::addColumn<bool>("goesOn");

    using A = Prompter::Answer;
    for (const char *command : {"New", "Load", "Exit"}) {
        const QString c = QLatin1String(command);
        QTest::addRow("%s yes, saved", command) << c << A::Yes << int(SaveOutcome::Saved) << true;
        QTest::addRow("%s yes, save cancelled", command)
            << c << A::Yes << int(SaveOutcome::DialogCancelled) << false;
        QTest::addRow("%s yes, save failed", command)
            << c << A::Yes << int(SaveOutcome::Failed) << false;
        QTest::addRow("%s no", command) << c << A::No << int(SaveOutcome::Saved) << true;
        QTest::addRow("%s cancel", command) << c << A::Cancel << int(SaveOutcome::Saved) << false;
    }
}

void TestMainWindow::promptedCommands()
{
    QFETCH(QString, command);
    QFETCH(Prompter::Answer, answer);
    QFETCH(int, save);
    QFETCH(bool, goesOn);

    Window w = makeWindow(QStringLiteral("Tavrin"));
    TMainDlg &dlg = *w.dlg;
    dlg.show();
    makeChange(w);
    w.prompts->shown.clear();
    w.prompts->answers3.enqueue(answer);
    const QString savePath = m_dir.filePath(QStringLiteral("prompted%1.tvr").arg(++m_fileNumber));
    if (answer == Prompter::Answer::Yes) {
        if (save == int(SaveOutcome::Saved))
            w.prompts->paths.enqueue(savePath);
        else if (save == int(SaveOutcome::DialogCancelled))
            w.prompts->paths.enqueue(QString());
        else
            w.prompts->paths.enqueue(m_dir.filePath(QStringLiteral("missing/dir/x.tvr")));
    }
    const QString loadPath = validFile(QStringLiteral("Tavrin"));
    if (command == QLatin1String("Load"))
        w.prompts->paths.enqueue(loadPath);

    QString question;
    if (command == QLatin1String("New"))
        question = Text::SaveBeforeNew;
    else if (command == QLatin1String("Load"))
        question = Text::SaveBeforeLoad;
    else
        question = Text::SaveBeforeExit;
    runCommand(dlg, command);

    QCOMPARE(w.prompts->shown.value(0), QStringLiteral("ask3: ") + question);
    if (answer == Prompter::Answer::Yes) {
        QCOMPARE(w.prompts->shown.value(1), QStringLiteral("save"));
        QCOMPARE(QFile::exists(savePath), save == int(SaveOutcome::Saved));
        if (save == int(SaveOutcome::Failed))
            QCOMPARE(w.prompts->shown.value(2), QStringLiteral("failure: ") + Text::SaveFailed);
        if (save == int(SaveOutcome::Saved)) {
            const ConfigFile::LoadResult saved = ConfigFile::load(savePath, dlg.profile());
            QCOMPARE(saved.cells.value(3).Color, 0x00FF0000u);
        }
    }
    QCOMPARE(w.prompts->shown.contains(QStringLiteral("open")), goesOn && command == "Load");

    if (!goesOn) {
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.ConfigChanged());
        QCOMPARE(dlg.SelectedKey(), dlg.key(3));
        QCOMPARE(dlg.key(3)->cell().Color, 0x00FF0000u);
        return;
    }
    if (command == QLatin1String("Exit")) {
        // Exit only reads the flag; what was saved is in the file.
        QVERIFY(!dlg.isVisible());
        return;
    }
    QVERIFY(!dlg.ConfigChanged());
    QVERIFY(!dlg.SelectedKey());
    QVERIFY(keyCommandsEnabled(dlg, false));
    const quint32 expected = command == QLatin1String("New") ? KeyCell::ButtonFace : 0x0000FF00u;
    QCOMPARE(dlg.key(3)->cell().Color, expected);
}

void TestMainWindow::noPromptWithoutChanges_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << "New";
    QTest::newRow("Load") << "Load";
    QTest::newRow("Exit") << "Exit";
}

void TestMainWindow::noPromptWithoutChanges()
{
    QFETCH(QString, command);
    Window w = makeWindow(QStringLiteral("Quelda"));
    w.dlg->show();
    runCommand(*w.dlg, command);
    for (const QString &entry : w.prompts->shown)
        QVERIFY2(!entry.startsWith(QLatin1String("ask3")), qPrintable(entry));
    QCOMPARE(w.dlg->isVisible(), command != QLatin1String("Exit"));
}

void TestMainWindow::windowManagerCloseAsks()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->show();
    makeChange(w);
    w.prompts->answers3.enqueue(Prompter::Answer::Cancel);
    QVERIFY(!w.dlg->close());
    QVERIFY(w.dlg->isVisible());
    QVERIFY(w.dlg->ConfigChanged());
    QCOMPARE(w.prompts->shown.last(), QStringLiteral("ask3: ") + Text::SaveBeforeExit);
    w.prompts->answers3.enqueue(Prompter::Answer::No);
    QVERIFY(w.dlg->close());
}

void TestMainWindow::loadFailureChangesNothing_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("contents"); // empty: the file does not exist
    QTest::addColumn<QString>("message");

    const QByteArray tvr = readFile(validFile(QStringLiteral("Tavrin")));
    const QByteArray qld = readFile(validFile(QStringLiteral("Quelda")));
    QByteArray wrongMagic = tvr;
    wrongMagic[0] = 'X';
    QByteArray farSpan = tvr;
    farSpan[4 + 92 * 80 + 2] = 5; // cell 80 (column 11) five columns wide
    QByteArray tooManyCodes = qld;
    tooManyCodes[4 + 92 * 2 + 3] = char(64);

    QTest::newRow("missing") << "Tavrin" << QByteArray() << Text::FileMissing;
    QTest::newRow("short") << "Tavrin" << tvr.chopped(1) << Text::FileInvalid;
    QTest::newRow("wrong magic") << "Tavrin" << wrongMagic << Text::FileInvalid;
    QTest::newRow("span past the grid") << "Tavrin" << farSpan << Text::FileInvalid;
    QTest::newRow("lock given keyboard file") << "Quelda" << tvr << Text::FileInvalid;
    QTest::newRow("64 codes") << "Quelda" << tooManyCodes << Text::FileInvalid;
}

void TestMainWindow::loadFailureChangesNothing()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(QStringLiteral("bad%1.bin").arg(++m_fileNumber));
    if (!contents.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    Window w = makeWindow(program);
    w.dlg->show();
    makeChange(w);
    w.prompts->answers3.enqueue(Prompter::Answer::No);
    w.prompts->paths.enqueue(path);
    w.prompts->shown.clear();
    runCommand(*w.dlg, QStringLiteral("Load"));
    QCOMPARE(w.prompts->shown.last(), QStringLiteral("failure: ") + message);
    QVERIFY(w.dlg->ConfigChanged());
    QCOMPARE(w.dlg->SelectedKey(), w.dlg->key(3));
    QVERIFY(keyCommandsEnabled(*w.dlg, true));
    QCOMPARE(w.dlg->key(3)->cell().Color, 0x00FF0000u);
    QCOMPARE(w.dlg->key(0)->cell().Caption, w.dlg->profile().defaultLabel(0));
}

void TestMainWindow::loadAppliesWholeFile()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->show();
    click(*w.dlg, 9);
    w.prompts->paths.enqueue(validFile(QStringLiteral("Tavrin")));
    runCommand(*w.dlg, QStringLiteral("Load"));
    QVERIFY(w.prompts->shown.filter(QStringLiteral("failure")).isEmpty());
    QVERIFY(!w.dlg->SelectedKey());
    QVERIFY(!w.dlg->key(9)->Down());
    QVERIFY(keyCommandsEnabled(*w.dlg, false));
    QCOMPARE(w.dlg->key(0)->size(), QSize(88, 88));
    QCOMPARE(w.dlg->key(0)->pos(), QPoint(8, 41));
    for (int covered : {1, 7, 8})
        QVERIFY(!w.dlg->key(covered)->isVisible());
    QVERIFY(w.dlg->key(2)->isVisible());
    QCOMPARE(w.dlg->key(83)->cell().Caption, QByteArray("file 83"));
}

void TestMainWindow::startUpLoad_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("label0");
    QTest::newRow("valid") << "Tavrin" << validFile(QStringLiteral("Tavrin")) << QStringList()
                           << QByteArray("file 0");
    QTest::newRow("missing") << "Tavrin" << m_dir.filePath(QStringLiteral("none.tvr"))
                             << QStringList{"failure: " + Text::FileMissing} << QByteArray("1");
    QTest::newRow("invalid") << "Quelda" << validFile(QStringLiteral("Tavrin"))
                             << QStringList{"failure: " + Text::FileInvalid} << QByteArray("0");
}

void TestMainWindow::startUpLoad()
{
    QFETCH(QString, program);
    QFETCH(QString, path);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, label0);
    Window w = makeWindow(program);
    w.dlg->LoadConfigFile(path, TMainDlg::LoadOrigin::StartUp);
    QCOMPARE(w.prompts->shown, shown);
    QCOMPARE(w.dlg->key(0)->cell().Caption, label0);
    QVERIFY(!w.dlg->ConfigChanged());
    QVERIFY(!w.dlg->SelectedKey());
}

void TestMainWindow::saveAddsExtension_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Tavrin") << "Tavrin";
    QTest::newRow("Quelda") << "Quelda";
}

void TestMainWindow::saveAddsExtension()
{
    QFETCH(QString, program);
    Window w = makeWindow(program);
    const QString typed = m_dir.filePath(QStringLiteral("typed%1").arg(++m_fileNumber));
    w.prompts->paths.enqueue(typed);
    w.dlg->setConfigChanged(true);
    runCommand(*w.dlg, QStringLiteral("Save"));
    const QString expected = typed + u'.' + w.dlg->profile().extension;
    QCOMPARE(readFile(expected).size(), w.dlg->profile().fileSize());
    QVERIFY(!QFile::exists(typed));
    QVERIFY(!w.dlg->ConfigChanged());
}

void TestMainWindow::overwriteQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes replaces") << true;
    QTest::newRow("no keeps") << false;
}

void TestMainWindow::overwriteQuestion()
{
    QFETCH(bool, yes);
    const QString path = validFile(QStringLiteral("Tavrin"));
    const QByteArray before = readFile(path);
    Window w = makeWindow(QStringLiteral("Tavrin"));
    makeChange(w);
    w.prompts->shown.clear();
    w.prompts->paths.enqueue(path);
    w.prompts->answers2.enqueue(yes);
    runCommand(*w.dlg, QStringLiteral("Save"));
    QCOMPARE(w.prompts->shown, (QStringList{"save", "ask2: " + Text::Overwrite}));
    QCOMPARE(readFile(path) == before, !yes);
    QCOMPARE(w.dlg->ConfigChanged(), !yes);
}

void TestMainWindow::colourCommand()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    click(*w.dlg, 12);
    runCommand(*w.dlg, QStringLiteral("Colour")); // cancelled
    QCOMPARE(w.prompts->lastInitialColour, w.dlg->palette().color(QPalette::Button));
    QCOMPARE(w.dlg->key(12)->cell().Color, KeyCell::ButtonFace);
    QVERIFY(!w.dlg->ConfigChanged());
    w.prompts->colours.enqueue(QColor(0x12, 0x34, 0x56));
    runCommand(*w.dlg, QStringLiteral("Colour"));
    QCOMPARE(w.dlg->key(12)->cell().Color, 0x00563412u);
    QVERIFY(w.dlg->ConfigChanged());
    QCOMPARE(w.dlg->SelectedKey(), w.dlg->key(12));
}

void TestMainWindow::codeCommand_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("codes");
    QTest::newRow("Tavrin cancel")
        << "Tavrin" << false << QByteArray() << QByteArray("\x1c\xf0\x1c");
    QTest::newRow("Tavrin ok unchanged")
        << "Tavrin" << true << QByteArray("\x1c\xf0\x1c") << QByteArray("\x1c\xf0\x1c");
    QTest::newRow("Quelda ok new codes")
        << "Quelda" << true << QByteArray("\x76\xf0\x76") << QByteArray("\x76\xf0\x76");
    QTest::newRow("Quelda ok emptied") << "Quelda" << true << QByteArray() << QByteArray();
}

void TestMainWindow::codeCommand()
{
    QFETCH(QString, program);
    QFETCH(bool, confirmed);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, codes);
    Window w = makeWindow(program);
    auto editor = std::make_unique<FakeCodeEditor>();
    FakeCodeEditor *fake = editor.get();
    w.dlg->setCodeEditor(std::move(editor));
    w.dlg->grid().setCodes(4, QByteArray("\x1c\xf0\x1c"));
    click(*w.dlg, 4);
    if (confirmed)
        fake->answer = answer;

    runCommand(*w.dlg, QStringLiteral("Code"));
    QCOMPARE(fake->shown, QList<QByteArray>{QByteArray("\x1c\xf0\x1c")});
    QCOMPARE(usedCodes(w.dlg->grid().cell(4)), codes);
    // Confirming is a change even when the codes are the same; cancelling never is.
    QCOMPARE(w.dlg->ConfigChanged(), confirmed);

    // The codes survive a save and a load.
    const QString path = m_dir.filePath(
        QStringLiteral("codes%1.%2").arg(++m_fileNumber).arg(w.dlg->profile().extension));
    QVERIFY(w.dlg->SaveConfigFile(path));
    w.dlg->grid().ResetAll();
    QVERIFY(w.dlg->LoadConfigFile(path, TMainDlg::LoadOrigin::Command));
    QCOMPARE(usedCodes(w.dlg->grid().cell(4)), codes);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
