// SPDX-License-Identifier: MIT
// The Test Keys window: how it is opened and placed, the key it points out on the main window,
// and its report.
#include "FakeKeyTestClock.h"
#include "MainWindowHarness.h"
#include "codeentry/TScan.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keytest/KeyTestSession.h"
#include "keytest/TTestKeysDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QList<int> markedKeys(const TMainDlg &dlg)
{
    QList<int> marked;
    for (int i = 0; i < dlg.keyCount(); ++i)
        if (dlg.key(i)->marked())
            marked << i;
    return marked;
}

QRgb facePixel(TKey *key)
{
    return key->grab().toImage().pixel(38, 38) & 0xFFFFFF;
}

} // namespace

class TestKeyTester : public QObject
{
    Q_OBJECT
private slots:
    void openedByCtrlT_data();
    void openedByCtrlT();
    void placedBesideTheMainWindow_data();
    void placedBesideTheMainWindow();
    void pointsOutTheMatchedKey();
    void savesTheReport();
};

void TestKeyTester::openedByCtrlT_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Tavrin") << "Tavrin";
    QTest::newRow("Quelda") << "Quelda";
}

void TestKeyTester::openedByCtrlT()
{
    QFETCH(QString, program);
    Window w = makeWindow(program);
    w.dlg->show();
    w.dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.dlg.get()));
    QTest::keySequence(w.dlg.get(), QKeySequence(QStringLiteral("Ctrl+T")));
    TTestKeysDlg *tester = w.dlg->testKeys();
    QVERIFY(tester);
    QVERIFY(tester->isVisible());
    tester->setClock(std::make_unique<FakeKeyTestClock>());
    QCOMPARE(tester->windowTitle(), QStringLiteral("Test Keys"));
    QTRY_COMPARE(QApplication::focusWidget(), tester->capture());

    // Every key goes to the test, Ctrl+T and Escape included: nothing opens, closes or moves.
    QTest::keySequence(tester->capture(), QKeySequence(QStringLiteral("Ctrl+T")));
    QTest::keyClick(tester->capture(), Qt::Key_Escape);
    QVERIFY(tester->isVisible());
    QCOMPARE(QApplication::focusWidget(), tester->capture());
    QCOMPARE(tester->session().sequences().size(), 1);
    QCOMPARE(tester->session().sequences().at(0).codes, QByteArray::fromHex("142CF02CF01476F076"));
}

void TestKeyTester::placedBesideTheMainWindow_data()
{
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("place");
    const QRect screen(0, 0, 1920, 1080);
    // The tester's frame is 560 by 400.
    QTest::newRow("right of it") << QRect(100, 200, 560, 420) << screen
                                 << QRect(668, 200, 560, 400);
    QTest::newRow("left of it, at the right edge")
        << QRect(1300, 200, 560, 420) << screen << QRect(732, 200, 560, 400);
    QTest::newRow("moved up to stay on the screen")
        << QRect(100, 900, 560, 150) << screen << QRect(668, 680, 560, 400);
    QTest::newRow("below it, on a narrow screen")
        << QRect(100, 50, 560, 420) << QRect(0, 0, 800, 1080) << QRect(100, 478, 560, 400);
    QTest::newRow("above it") << QRect(100, 600, 560, 420) << QRect(0, 0, 800, 1080)
                              << QRect(100, 192, 560, 400);
    QTest::newRow("narrower, right of it")
        << QRect(411, 183, 544, 402) << QRect(0, 0, 1366, 768) << QRect(963, 183, 403, 400);
    QTest::newRow("narrower, left of it")
        << QRect(500, 183, 544, 402) << QRect(0, 0, 1366, 768) << QRect(0, 183, 492, 400);
    QTest::newRow("no room: over it, at the screen's right edge")
        << QRect(240, 160, 544, 440) << QRect(0, 0, 1024, 768) << QRect(464, 160, 560, 400);
    QTest::newRow("a second screen")
        << QRect(2000, 100, 560, 420) << QRect(1920, 0, 1920, 1080) << QRect(2568, 100, 560, 400);
}

void TestKeyTester::placedBesideTheMainWindow()
{
    QFETCH(QRect, main);
    QFETCH(QRect, screen);
    QFETCH(QRect, place);
    QCOMPARE(TTestKeysDlg::placeBeside(main, QSize(560, 400), screen), place);
}

void TestKeyTester::pointsOutTheMatchedKey()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->document().setCodes(12, QByteArray::fromHex("1CF01C"));
    w.dlg->document().setCodes(20, QByteArray::fromHex("32F032"));
    w.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.dlg.get()));
    const QRgb plainFace = facePixel(w.dlg->key(12));

    w.dlg->sTestKeysClick();
    TTestKeysDlg *tester = w.dlg->testKeys();
    auto clock = std::make_unique<FakeKeyTestClock>();
    FakeKeyTestClock *time = clock.get();
    tester->setClock(std::move(clock));

    QTest::keyClick(tester->capture(), Qt::Key_A);
    QCOMPARE(markedKeys(*w.dlg), QList<int>{12});
    // Inverted, so that it shows on a face of any colour.
    QCOMPARE(facePixel(w.dlg->key(12)), plainFace ^ 0xFFFFFF);
    QCOMPARE(tester->capture()->toPlainText(), "07:51:03  A  [1C F0 1C]  key 13");
    QCOMPARE(tester->summary()->text(), "2 keys have codes; 1 seen, 1 not yet.\n"
                                        "Not yet seen: key 21.");

    // The next sequence moves the mark, also to no key at all.
    time->ms = 1000;
    QTest::keyClick(tester->capture(), Qt::Key_B);
    QCOMPARE(markedKeys(*w.dlg), QList<int>{20});
    time->ms = 2000;
    QTest::keyClick(tester->capture(), Qt::Key_C);
    QCOMPARE(markedKeys(*w.dlg), QList<int>{});
    time->ms = 3000;
    QTest::keyClick(tester->capture(), Qt::Key_A);
    QCOMPARE(markedKeys(*w.dlg), QList<int>{12});

    // Closed, the tester leaves every face as it was.
    tester->close();
    QCOMPARE(markedKeys(*w.dlg), QList<int>{});
    QCOMPARE(facePixel(w.dlg->key(12)), plainFace);

    // Clear starts over.
    tester->clearButton()->click();
    QCOMPARE(tester->capture()->toPlainText(), QString());
    QCOMPARE(tester->summary()->text(), "2 keys have codes; 0 seen, 2 not yet.\n"
                                        "Not yet seen: keys 13, 21.");
}

void TestKeyTester::savesTheReport()
{
    QTemporaryDir dir;
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->sTestKeysClick();
    TTestKeysDlg *tester = w.dlg->testKeys();
    auto prompter = std::make_unique<FakePrompter>();
    FakePrompter *prompts = prompter.get();
    tester->setPrompter(std::move(prompter));

    const QString path = dir.filePath(QStringLiteral("report.txt"));
    prompts->paths << path << path << dir.filePath(QStringLiteral("missing/report.txt"))
                   << QString();
    tester->saveButton()->click();
    QVERIFY(TestFiles::readFile(path).startsWith("Key test of Tavrin\n"
                                                 "Layout: not saved to a file\n"
                                                 "Date: "));
    QCOMPARE(prompts->filters, QStringList{"Key test report(*.txt)|*.txt"});

    // Asked before it replaces a file, and answered No here; then a folder that is not there,
    // then cancelled.
    TestFiles::writeFile(dir, QStringLiteral("report.txt"), "kept");
    for (int i = 0; i < 3; ++i)
        tester->saveButton()->click();
    QCOMPARE(TestFiles::readFile(path), "kept");
    QCOMPARE(prompts->shown,
             (QStringList{"save", "save", "ask2: Specified file already exists.\nOverwrite it ?",
                          "save", "failure: Failed to save the report.", "save"}));

    // A FIFO, replaced after all: the box says which file and why, as Save does.
    const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    prompts->paths << fifo;
    prompts->answers2 << true;
    tester->saveButton()->click();
    QCOMPARE(prompts->shown.last(), "failure: Failed to save the report.");
    QCOMPARE(prompts->details.last(),
             QStringLiteral("File: %1\nit is not a regular file").arg(fifo));
}

QTEST_MAIN(TestKeyTester)
#include "tst_keytester.moc"
