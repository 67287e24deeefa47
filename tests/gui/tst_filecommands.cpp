// SPDX-License-Identifier: MIT
#include "MainWindowHarness.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/TKey.h"
#include "mainwindow/CodePageMenu.h"
#include "mainwindow/HelpMenu.h"
#include "common/UserSettings.h"
#include "mainwindow/RecentFiles.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>

using namespace TestFiles;

// New, Load, Save and Exit with their prompts, and loading at start-up.
namespace {

enum class SaveOutcome
{
    Saved,
    DialogCancelled,
    Failed
};
} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
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
    void recentFiles();
    void recentFilesOfTwoWindows();
    void recentFileGone();
    void dropOpens_data();
    void dropOpens();
    void helpMenu();
    void labelsFromAnotherCodePage();

private:
    // Makes the configuration differ from the last saved one, with cell 3 selected and blue.
    void makeChange(Window &w);
    QString validFile(const QString &program);

    QTemporaryDir m_dir;
    int m_fileNumber = 0;
};

void TestFileCommands::makeChange(Window &w)
{
    click(*w.dlg, 3);
    if (w.dlg->profile().has(Command::Color)) {
        w.prompts->colors.enqueue(QColor(0, 0, 255));
        runCommand(*w.dlg, QStringLiteral("Color"));
    } else {
        // The key lock has no colour command; what its changes are does not matter here.
        w.dlg->document().setColor(3, 0x00FF0000u);
    }
    QVERIFY(w.dlg->ConfigChanged());
}

QString TestFileCommands::validFile(const QString &program)
{
    const ProgramProfile &p = profileNamed(program);
    QList<KeyCell> cells(p.cellCount);
    for (int i = 0; i < p.cellCount; ++i) {
        cells[i].ResetKey("file " + QByteArray::number(i));
        cells[i].Color = 0x0000FF00;
    }
    if (p.keyboard) {
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

void TestFileCommands::promptedCommands_data()
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

void TestFileCommands::promptedCommands()
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
    const QString unwritable = m_dir.filePath(QStringLiteral("missing/dir/x.tvr"));
    const QString savePath = m_dir.filePath(QStringLiteral("prompted%1.tvr").arg(++m_fileNumber));
    if (answer == Prompter::Answer::Yes) {
        if (save == int(SaveOutcome::Saved))
            w.prompts->paths.enqueue(savePath);
        else if (save == int(SaveOutcome::DialogCancelled))
            w.prompts->paths.enqueue(QString());
        else
            w.prompts->paths.enqueue(unwritable);
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
        if (save == int(SaveOutcome::Failed)) {
            QCOMPARE(w.prompts->shown.value(2), QStringLiteral("failure: ") + Text::SaveFailed);
            // The file's name, then the system's own reason.
            const QString head = "File: " + QDir::toNativeSeparators(unwritable) + u'\n';
            QVERIFY(w.prompts->details.constLast().startsWith(head));
            QVERIFY(w.prompts->details.constLast().size() > head.size());
        }
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

void TestFileCommands::noPromptWithoutChanges_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << "New";
    QTest::newRow("Load") << "Load";
    QTest::newRow("Exit") << "Exit";
}

void TestFileCommands::noPromptWithoutChanges()
{
    QFETCH(QString, command);
    Window w = makeWindow(QStringLiteral("Quelda"));
    w.dlg->show();
    runCommand(*w.dlg, command);
    for (const QString &entry : w.prompts->shown)
        QVERIFY2(!entry.startsWith(QLatin1String("ask3")), qPrintable(entry));
    QCOMPARE(w.dlg->isVisible(), command != QLatin1String("Exit"));
}

void TestFileCommands::windowManagerCloseAsks()
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

void TestFileCommands::loadFailureChangesNothing_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("contents"); // empty: no file; "/...": what is at that path
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reason"); // under the message, after the file's name

    const QByteArray tvr = readFile(validFile(QStringLiteral("Tavrin")));
    const QByteArray qld = readFile(validFile(QStringLiteral("Quelda")));
    QByteArray wrongMagic = tvr;
    wrongMagic[0] = 'X';
    QByteArray farSpan = tvr;
    farSpan[4 + 92 * 80 + 2] = 5; // cell 80 (column 11) five columns wide
    QByteArray tooManyCodes = qld;
    tooManyCodes[4 + 92 * 2 + 3] = char(64);

    QTest::newRow("missing") << "Tavrin" << QByteArray() << Text::FileMissing
                             << "There is no file of this name.";
    QTest::newRow("directory") << "Tavrin" << QByteArray("/") << Text::FileInvalid
                               << "It is a directory.";
    QTest::newRow("device") << "Quelda" << QByteArray("/dev/zero") << Text::FileInvalid
                            << "It is not a regular file.";
    QTest::newRow("short") << "Tavrin" << tvr.chopped(1) << Text::FileInvalid
                           << "It has 7731 bytes, but a Tavrin configuration file has exactly "
                              "7732.";
    QTest::newRow("wrong magic")
        << "Tavrin" << wrongMagic << Text::FileInvalid
        << "It does not begin with \"TVRN\": it is not a Tavrin configuration file.";
    QTest::newRow("span past the grid")
        << "Tavrin" << farSpan << Text::FileInvalid
        << "Key 81 (column 11, row 3) has a column span of 5, which runs past the edge of the "
           "grid.";
    QTest::newRow("lock given keyboard file")
        << "Quelda" << tvr << Text::FileInvalid
        << "This is a Tavrin configuration file (.tvr); Quelda opens .qld files.";
    QTest::newRow("keyboard given lock file")
        << "Tavrin" << qld << Text::FileInvalid
        << "This is a Quelda configuration file (.qld); Tavrin opens .tvr files.";
    QTest::newRow("64 codes") << "Quelda" << tooManyCodes << Text::FileInvalid
                              << "Key 2 has 64 codes; a key holds at most 63.";
}

void TestFileCommands::loadFailureChangesNothing()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    QFETCH(QString, reason);
    const QString path = contents.startsWith('/')
                             ? QString::fromLatin1(contents)
                             : m_dir.filePath(QStringLiteral("bad%1.bin").arg(++m_fileNumber));
    if (!contents.isEmpty() && !contents.startsWith('/')) {
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
    QCOMPARE(w.prompts->details.last(),
             QStringLiteral("File: ") + QDir::toNativeSeparators(path) + u'\n' + reason);
    QVERIFY(w.dlg->ConfigChanged());
    QCOMPARE(w.dlg->SelectedKey(), w.dlg->key(3));
    QVERIFY(keyCommandsEnabled(*w.dlg, true));
    QCOMPARE(w.dlg->key(3)->cell().Color, 0x00FF0000u);
    QCOMPARE(w.dlg->key(0)->cell().Caption, w.dlg->profile().defaultLabel(0));
}

void TestFileCommands::loadAppliesWholeFile()
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

void TestFileCommands::startUpLoad_data()
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

void TestFileCommands::startUpLoad()
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

void TestFileCommands::saveAddsExtension_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Tavrin") << "Tavrin";
    QTest::newRow("Quelda") << "Quelda";
}

void TestFileCommands::saveAddsExtension()
{
    QFETCH(QString, program);
    Window w = makeWindow(program);
    const QString typed = m_dir.filePath(QStringLiteral("typed%1").arg(++m_fileNumber));
    w.prompts->paths.enqueue(typed);
    w.dlg->document().setCaption(0, "typed");
    runCommand(*w.dlg, QStringLiteral("Save"));
    const QString expected = typed + u'.' + w.dlg->profile().extension;
    QCOMPARE(readFile(expected).size(), w.dlg->profile().fileSize());
    QVERIFY(!QFile::exists(typed));
    QVERIFY(!w.dlg->ConfigChanged());
}

void TestFileCommands::overwriteQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes replaces") << true;
    QTest::newRow("no keeps") << false;
}

void TestFileCommands::overwriteQuestion()
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

namespace {

void forgetRecentFiles(TMainDlg &dlg)
{
    for (const QString &f : dlg.recentFiles().files())
        dlg.recentFiles().remove(f);
}

QMenu *menuNamed(TMainDlg &dlg, const QString &title)
{
    for (QMenu *m : dlg.findChildren<QMenu *>())
        if (m->title() == title)
            return m;
    return nullptr;
}

} // namespace

void TestFileCommands::recentFiles()
{
    // The list is where earlier versions kept it, or it would be lost with the update.
    QCOMPARE(UserSettings::file(),
             QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tavrin"),
                       QCoreApplication::applicationName())
                 .fileName());
    const QString loaded = validFile(QStringLiteral("Tavrin"));
    const QString saved = m_dir.filePath(QStringLiteral("recent.tvr"));
    {
        Window w = makeWindow(QStringLiteral("Tavrin"));
        forgetRecentFiles(*w.dlg);
        QVERIFY(!menuNamed(*w.dlg, QStringLiteral("Recent &Files"))->isEnabled());
        w.prompts->paths << saved << loaded;
        runCommand(*w.dlg, QStringLiteral("Save"));
        runCommand(*w.dlg, QStringLiteral("Load"));
        QCOMPARE(w.dlg->recentFiles().files(), QStringList({loaded, saved}));
        // Saved again: first once more, not twice.
        w.prompts->paths << saved;
        w.prompts->answers2 << true;
        runCommand(*w.dlg, QStringLiteral("Save"));
        QCOMPARE(w.dlg->recentFiles().files(), QStringList({saved, loaded}));
    }
    // Kept for the next start, and shown in the menu newest first.
    Window w = makeWindow(QStringLiteral("Tavrin"));
    QCOMPARE(w.dlg->recentFiles().files(), QStringList({saved, loaded}));
    QMenu *menu = menuNamed(*w.dlg, QStringLiteral("Recent &Files"));
    QVERIFY(menu->isEnabled());
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&1 recent.tvr"));
    // Choosing one loads it as Load does.
    menu->actions()[1]->trigger();
    QTRY_COMPARE(w.dlg->key(83)->cell().Caption, QByteArray("file 83"));
    // No more than the last eight.
    for (int i = 0; i < 10; ++i)
        w.dlg->recentFiles().add(m_dir.filePath(QStringLiteral("many%1.tvr").arg(i)));
    QCOMPARE(w.dlg->recentFiles().files().size(), 8);
    QCOMPARE(w.dlg->recentFiles().files().first(), m_dir.filePath(QStringLiteral("many9.tvr")));
    forgetRecentFiles(*w.dlg);
}

void TestFileCommands::recentFilesOfTwoWindows()
{
    const QString a = validFile(QStringLiteral("Tavrin"));
    const QString b = m_dir.filePath(QStringLiteral("second.tvr"));
    QVERIFY(QFile::copy(a, b));
    {
        // Two running copies of the program, each opening its own file.
        Window first = makeWindow(QStringLiteral("Tavrin"));
        forgetRecentFiles(*first.dlg);
        Window second = makeWindow(QStringLiteral("Tavrin"));
        QVERIFY(first.dlg->LoadConfigFile(a, TMainDlg::LoadOrigin::Command));
        QVERIFY(second.dlg->LoadConfigFile(b, TMainDlg::LoadOrigin::Command));
    }
    Window next = makeWindow(QStringLiteral("Tavrin"));
    QCOMPARE(next.dlg->recentFiles().files(), QStringList({b, a}));
    forgetRecentFiles(*next.dlg);
}

void TestFileCommands::recentFileGone()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    forgetRecentFiles(*w.dlg);
    const QString gone = m_dir.filePath(QStringLiteral("gone.tvr"));
    w.dlg->recentFiles().add(gone);
    menuNamed(*w.dlg, QStringLiteral("Recent &Files"))->actions()[0]->trigger();
    QTRY_COMPARE(w.prompts->shown, QStringList({"failure: " + Text::FileMissing}));
    QCOMPARE(w.prompts->details[0], "File: " + QDir::toNativeSeparators(gone) +
                                        "\nThere is no file of this name.\n"
                                        "It is taken off the recent files.");
    QCOMPARE(w.dlg->recentFiles().files(), QStringList());
}

void TestFileCommands::dropOpens_data()
{
    QTest::addColumn<QString>("kind"); // of the file dropped on the keyboard program
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("own kind: asks, then loads")
        << "Tavrin" << QStringList{"ask3: " + Text::SaveBeforeLoad} << true;
    QTest::newRow("the key lock's kind: refused at once")
        << "Quelda" << QStringList{"failure: " + Text::FileInvalid} << false;
}

void TestFileCommands::dropOpens()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, shown);
    QFETCH(bool, loaded);
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->show();
    makeChange(w);
    w.prompts->shown.clear();
    w.prompts->answers3 << Prompter::Answer::No;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(validFile(kind))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(w.dlg.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.dlg.get(), &drop);
    QTRY_COMPARE(w.prompts->shown, shown);
    QTRY_COMPARE(w.dlg->key(83)->cell().Caption == "file 83", loaded);
    QCOMPARE(w.dlg->ConfigChanged(), !loaded);
    if (!loaded)
        QCOMPARE(w.prompts->details.last().section(u'\n', 1),
                 QStringLiteral("This is a Quelda configuration file (.qld); Tavrin opens .tvr "
                                "files."));
    forgetRecentFiles(*w.dlg);
}

void TestFileCommands::helpMenu()
{
    Window w = makeWindow(QStringLiteral("Quelda"));
    const QList<QAction *> menus = w.dlg->menuBar()->actions();
    QCOMPARE(menus.last()->text(), QStringLiteral("&Help"));
    QCOMPARE(menus[menus.size() - 2]->text(), QStringLiteral("&Config"));
    QStringList items;
    for (QAction *a : menus.last()->menu()->actions())
        items << a->text();
    QCOMPARE(items, QStringList({"&About Quelda", "About &Qt"}));
    QCOMPARE(HelpMenu::aboutText(ProgramProfile::quelda()),
             QStringLiteral("<p><b>Quelda</b> version 1.0.0</p><p>Edits, saves and programs the "
                            "positions of the point-of-sale keyboard's key lock.</p>"
                            "<p>Released under the MIT licence.</p>"));
}



void TestFileCommands::labelsFromAnotherCodePage()
{
    // Latte and black tea from a Japanese desktop, opened where labels are Windows-1252.
    const ProgramProfile &p = profileNamed(QStringLiteral("Tavrin"));
    QList<KeyCell> cells(p.cellCount);
    for (int i = 0; i < p.cellCount; ++i)
        cells[i].ResetKey(p.defaultLabel(i));
    cells[12].Caption = "\x83\x89\x83\x65";
    cells[13].Caption = "\x8d\x67\x92\x83";
    const QString path = m_dir.filePath(QStringLiteral("japanese.tvr"));
    QVERIFY(ConfigFile::save(path, cells, p));
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->codePages()->choose(LabelCodePage::System);

    QVERIFY(w.dlg->LoadConfigFile(path, TMainDlg::LoadOrigin::Command));
    QCOMPARE(w.prompts->shown.size(), 1);
    QVERIFY(w.prompts->shown[0].startsWith(QStringLiteral("information: ")));
    QVERIFY(w.prompts->shown[0].contains(QStringLiteral("Japanese (Shift-JIS)")));
    // Nothing changed: saved as it is, the file keeps its bytes.
    const QString copy = m_dir.filePath(QStringLiteral("japanese-copy.tvr"));
    QVERIFY(w.dlg->SaveConfigFile(copy));
    QCOMPARE(readFile(copy), readFile(path));

    w.dlg->codePages()->action(LabelCodePage::Japanese)->trigger();
    QVERIFY(w.dlg->key(12)->toolTipText().startsWith(QString::fromUtf8("ラテ\n")));
    QVERIFY(w.dlg->LoadConfigFile(path, TMainDlg::LoadOrigin::Command));
    QCOMPARE(w.prompts->shown.size(), 1);
    w.dlg->codePages()->choose(LabelCodePage::System); // for the tests that follow
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
