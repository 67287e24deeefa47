// SPDX-License-Identifier: MIT
#include "FakeCodeEditor.h"
#include "MainWindowHarness.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/TKey.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

using namespace TestFiles;

// How each program's main window looks and how its key commands behave.
namespace {

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
    void toolBar_data();
    void toolBar();
    void versionLabel_data();
    void versionLabel();
    void fileDialogFilters_data();
    void fileDialogFilters();
    void selection();
    void colorCommand();
    void codeCommand_data();
    void codeCommand();
    void undoRedoKeys_data();
    void undoRedoKeys();

private:
    QTemporaryDir m_dir;
    int m_fileNumber = 0;
};

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
        QCOMPARE(key->cell().Color, 0x8000000Fu); // the desktop's button face
    }
    QVERIFY(!dlg.SelectedKey());
    QVERIFY(!dlg.ConfigChanged());
    QVERIFY(keyCommandsEnabled(dlg, false));
    const bool keyboard = program == QLatin1String("Tavrin");
    for (const char *name : {"sColor", "sView", "sPrint"})
        QCOMPARE(dlg.findChild<QToolButton *>(QLatin1String(name)) != nullptr, keyboard);
    // Undo and Redo live in the Edit menu only: the tool bar keeps its buttons.
    QCOMPARE(dlg.clientArea()->findChildren<QToolButton *>().size(), keyboard ? 11 : 8);
    QCOMPARE(dlg.findChild<QWidget *>(QStringLiteral("lockPicture")) != nullptr, !keyboard);
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("config");
    QTest::addColumn<QStringList>("edit");
    QTest::newRow("Tavrin") << "Tavrin" << QStringList{"&New",   "L&oad", "Recent &Files",
                                                       "&Save",  "-",     "&View",
                                                       "&Print", "-",     "E&xit"}
                            << QStringList{"&Label",   "Co&de",    "Colo&r", "-",
                                           "Prog One", "Prog All", "-",      "&Test Keys"}
                            << QStringList{"Undo",        "Redo",          "-",
                                           "Cu&t",        "&Copy",         "&Paste",
                                           "Cl&ear Keys", "Select &All",   "-",
                                           "Merge &Right", "Merge &Down",  "&Split",
                                           "-",            "&Label Code Page"};
    QTest::newRow("Quelda") << "Quelda"
                            << QStringList{"&New", "L&oad", "Recent &Files", "&Save", "-", "E&xit"}
                            << QStringList{"&Label",   "Co&de", "-",         "Prog One",
                                           "Prog All", "-",     "&Test Keys"}
                            << QStringList{"Undo",  "Redo",   "-",           "Cu&t",
                                           "&Copy", "&Paste", "Cl&ear Keys", "Select &All",
                                           "-",     "&Label Code Page"};
}

void TestMainWindow::menus()
{
    QFETCH(QString, program);
    QFETCH(QStringList, file);
    QFETCH(QStringList, config);
    QFETCH(QStringList, edit);
    Window w = makeWindow(program);
    QCOMPARE(w.dlg->menuBar()->actions().size(), 4);
    QCOMPARE(w.dlg->menuBar()->actions().at(0)->text(), QStringLiteral("&File"));
    QCOMPARE(w.dlg->menuBar()->actions().at(1)->text(), QStringLiteral("&Edit"));
    QCOMPARE(w.dlg->menuBar()->actions().at(2)->text(), QStringLiteral("&Config"));
    QCOMPARE(w.dlg->menuBar()->actions().at(3)->text(), QStringLiteral("&Help"));
    QCOMPARE(menuCaptions(*w.dlg, 0), file);
    // Nothing to undo yet: the undo framework's plain texts, disabled.
    QCOMPARE(menuCaptions(*w.dlg, 1), edit);
    QVERIFY(!w.dlg->undoAction()->isEnabled());
    QCOMPARE(menuCaptions(*w.dlg, 2), config);
    QCOMPARE(w.dlg->action(Command::Load)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(w.dlg->action(Command::Code)->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(w.dlg->toolButton(Command::Code)->toolTip(), QStringLiteral("Code"));
}

void TestMainWindow::toolBar_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("buttons");   // tooltips, left to right
    QTest::addColumn<QStringList>("enabled");   // those a user can click before choosing a key
    QTest::addColumn<QStringList>("shortcuts"); // as the menu shows them, "" for none
    QTest::newRow("Tavrin") << "Tavrin"
                            << QStringList{"Exit",  "New",      "Load",     "Save", "Label", "Code",
                                           "Color", "Prog One", "Prog All", "View", "Print"}
                            << QStringList{"Exit",     "New",  "Load", "Save",
                                           "Prog All", "View", "Print"}
                            << QStringList{"Ctrl+Q", "Ctrl+N", "Ctrl+O", "Ctrl+S",
                                           "Ctrl+L", "Ctrl+D", "Ctrl+R", "",
                                           "",       "Ctrl+V", "Ctrl+P"};
    QTest::newRow("Quelda") << "Quelda" << QStringList{"Exit",  "New",  "Load",     "Save",
                                                       "Label", "Code", "Prog One", "Prog All"}
                            << QStringList{"Exit", "New", "Load", "Save", "Prog All"}
                            << QStringList{"Ctrl+Q", "Ctrl+N", "Ctrl+O", "Ctrl+S",
                                           "Ctrl+L", "Ctrl+D", "",       ""};
}

void TestMainWindow::toolBar()
{
    QFETCH(QString, program);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, enabled);
    QFETCH(QStringList, shortcuts);
    Window w = makeWindow(program);
    QList<QToolButton *> bar = w.dlg->clientArea()->findChildren<QToolButton *>();
    std::sort(bar.begin(), bar.end(),
              [](QToolButton *a, QToolButton *b) { return a->x() < b->x(); });
    QStringList tips;
    for (const QToolButton *b : bar)
        tips << b->toolTip();
    QCOMPARE(tips, buttons);
    for (int i = 0; i < bar.size(); ++i) {
        const QToolButton *b = bar[i];
        // A row of buttons along the top, neighbours sharing at most their edge, each with its
        // picture.
        QCOMPARE(b->y(), 0);
        QVERIFY(i == 0 || bar[i - 1]->geometry().right() <= b->x());
        QVERIFY(w.dlg->clientArea()->rect().contains(b->geometry()));
        QCOMPARE(b->icon().actualSize(QSize(16, 16)), QSize(16, 16));
        QCOMPARE(b->isEnabled(), enabled.contains(b->toolTip()));
        // The button is its menu item, which shows the shortcut.
        QAction *a = b->defaultAction();
        QCOMPARE(a->shortcut().toString(), shortcuts[i]);
        bool inMenu = false;
        for (const QAction *menu : w.dlg->menuBar()->actions())
            inMenu = inMenu || menu->menu()->actions().contains(a);
        QVERIFY(inMenu);
    }
}

void TestMainWindow::versionLabel_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Tavrin") << "Tavrin";
    QTest::newRow("Quelda") << "Quelda";
}

void TestMainWindow::versionLabel()
{
    QFETCH(QString, program);
    Window w = makeWindow(program);
    const auto *label = w.dlg->findChild<QLabel *>(QStringLiteral("versionLabel"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Version 1.0.0"));
    QVERIFY(label->alignment() & Qt::AlignRight);
    // In the bottom right-hand corner, clear of every key.
    const QRect client = w.dlg->clientArea()->rect();
    QVERIFY(client.contains(label->geometry()));
    QVERIFY(label->geometry().center().x() > client.center().x());
    QVERIFY(label->geometry().center().y() > client.center().y());
    for (int i = 0; i < w.dlg->keyCount(); ++i)
        QVERIFY(!w.dlg->key(i)->geometry().intersects(label->geometry()));
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

void TestMainWindow::colorCommand()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    click(*w.dlg, 12);
    runCommand(*w.dlg, QStringLiteral("Color")); // cancelled
    QCOMPARE(w.prompts->lastInitialColor, w.dlg->palette().color(QPalette::Button));
    QCOMPARE(w.dlg->key(12)->cell().Color, KeyCell::ButtonFace);
    QVERIFY(!w.dlg->ConfigChanged());
    w.prompts->colors.enqueue(QColor(0x12, 0x34, 0x56));
    runCommand(*w.dlg, QStringLiteral("Color"));
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
    loadCodes(w.dlg->document(), 4, QByteArray("\x1c\xf0\x1c"));
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
    w.dlg->document().clear();
    QVERIFY(w.dlg->LoadConfigFile(path, TMainDlg::LoadOrigin::Command));
    QCOMPARE(usedCodes(w.dlg->grid().cell(4)), codes);
}

void TestMainWindow::undoRedoKeys_data()
{
    QTest::addColumn<QString>("redo");
    QTest::newRow("Ctrl+Shift+Z") << "Ctrl+Shift+Z";
    QTest::newRow("Ctrl+Y") << "Ctrl+Y";
}

void TestMainWindow::undoRedoKeys()
{
    QFETCH(QString, redo);
    Window w = makeWindow(QStringLiteral("Tavrin"));
    runCommand(*w.dlg, QStringLiteral("New")); // shows the window and makes it active
    w.dlg->document().setCaption(3, "Milk");
    QTest::keySequence(w.dlg.get(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(w.dlg->key(3)->cell().Caption, QByteArray("4"));
    QTest::keySequence(w.dlg.get(), QKeySequence(redo));
    QCOMPARE(w.dlg->key(3)->cell().Caption, QByteArray("Milk"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
