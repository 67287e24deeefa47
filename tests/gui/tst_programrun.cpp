// SPDX-License-Identifier: MIT
#include "FakeDrv.h"
#include "FakePrompter.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"
#include "programming/TProgDlg.h"
#include "programming/TProgress.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <future>
#include <mutex>

// Prog One and Prog All from the main window, with a driver and a clock that answer at once.
class TestProgramRun : public QObject
{
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void commandsAskedDuringARunFollowIt();
    void channelOpensOnceAfterTheFirstPaintAndARunWaitsForIt();
    void theProgressWindowShowsEachStepWhileItHappens();
};

namespace {

struct Harness
{
    explicit Harness(const ProgramProfile &profile) : window(profile)
    {
        auto fakePrompter = std::make_unique<FakePrompter>();
        prompter = fakePrompter.get();
        window.setPrompter(std::move(fakePrompter));
        auto fakeDrv = std::make_unique<FakeDrv>();
        drv = fakeDrv.get();
        window.progDlg().setDrv(std::move(fakeDrv));
        window.progDlg().setClock(std::make_unique<VirtualClock>());
    }
    TMainDlg window;
    FakePrompter *prompter;
    FakeDrv *drv;
};

} // namespace

void TestProgramRun::commands_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<int>("selected"); // -1: Prog All
    QTest::addColumn<bool>("driverAnswers");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("packets");
    QTest::addColumn<QString>("lastPacket");
    QTest::addColumn<QString>("lastText");
    QTest::addColumn<bool>("centred");

    QTest::newRow("Tavrin, Prog All")
        << true << -1 << true << "information: Program completed." << 84 << "2:F1 F7 00 5B F4"
        << "Now programming (84) ..." << true;
    QTest::newRow("Tavrin, Prog One, Shift+A on key 12")
        << true << 12 << true << "information: Program completed." << 7 << "2:F1 F7 06 14 F4"
        << "Now programming (7) ..." << true;
    QTest::newRow("Quelda, Prog All, no keyboard")
        << false << -1 << false << "failure: Failed to program." << 0 << ""
        << "Waiting (1 - 6) ..." << false;
    QTest::newRow("Quelda, Prog One")
        << false << 2 << true << "information: Program completed." << 7 << "2:F1 F7 06 72 F4"
        << "Now programming (7) ..." << false;
}

void TestProgramRun::commands()
{
    QFETCH(bool, keyboard);
    QFETCH(int, selected);
    QFETCH(bool, driverAnswers);
    QFETCH(QString, shown);
    QFETCH(int, packets);
    QFETCH(QString, lastPacket);
    QFETCH(QString, lastText);
    QFETCH(bool, centred);

    Harness h(keyboard ? ProgramProfile::tavrin() : ProgramProfile::quelda());
    h.drv->otherwise = driverAnswers;
    QString progress;
    connect(&h.window.progDlg(), &TProgDlg::progressTextChanged, this,
            [&](const QString &text) { progress = text; });
    if (selected >= 0) {
        h.window.document().setCodes(selected, QByteArray::fromHex("121CF01CF012"));
        h.window.KeyClick(h.window.key(selected), Qt::NoModifier);
        h.window.action(Command::ProgOne)->trigger();
    } else {
        h.window.action(Command::ProgAll)->trigger();
    }

    QCOMPARE(h.prompter->shown, QStringList{shown});
    QCOMPARE(h.drv->packets().size(), packets);
    if (packets > 0)
        QCOMPARE(h.drv->packets().last(), lastPacket);
    QCOMPARE(progress, lastText);
    QVERIFY(!h.window.progDlg().running());
    QCOMPARE(h.window.cursor().shape(), Qt::ArrowCursor);

    TProgress *window = h.window.progDlg().progress();
    QVERIFY(window->isHidden());
    QCOMPARE(window->windowTitle(), keyboard ? "Tavrin" : "Quelda");
    QCOMPARE(window->size(), QSize(266, 73));
    QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
    auto *text = window->findChild<QLabel *>();
    QVERIFY(window->rect().contains(text->geometry()));
    QCOMPARE(text->alignment().testFlag(Qt::AlignHCenter), centred);
}

void TestProgramRun::commandsAskedDuringARunFollowIt()
{
    Harness h(ProgramProfile::tavrin());
    h.window.document().setCaption(0, "changed"); // New and closing ask about saving
    h.window.show();
    // While the worker sends the first packet, the window is asked for New and to close; the
    // user answers No to saving, so New clears the changes and closing asks nothing more.
    h.prompter->answers3 << Prompter::Answer::No;
    h.drv->packetHook = [&] {
        QMetaObject::invokeMethod(
            &h.window,
            [&] {
                h.window.action(Command::New)->trigger();
                h.window.close();
            },
            Qt::BlockingQueuedConnection);
    };
    h.window.action(Command::ProgAll)->trigger();

    // Neither cut the run short: every packet went, and the result came first.
    QCOMPARE(h.drv->packets().size(), 84);
    QCOMPARE(h.prompter->shown,
             (QStringList{"information: Program completed.",
                          "ask3: Key Configuration has already been changed.\nSave it before load "
                          "new configration ?"}));
    QVERIFY(!h.window.isVisible());
}

void TestProgramRun::channelOpensOnceAfterTheFirstPaintAndARunWaitsForIt()
{
    Harness h(ProgramProfile::tavrin());
    std::atomic<bool> opening = false;
    std::promise<void> release;
    h.drv->openHook = [&opening, released = release.get_future().share()] {
        opening = true;
        released.wait(); // a driver service that takes its time to start
    };
    QVERIFY(h.drv->requests.isEmpty());
    h.window.show();
    QTRY_VERIFY(opening);

    // Prog All before the channel is open: the window goes on painting and the run starts once
    // the channel has opened.
    QTimer::singleShot(100, [&] { release.set_value(); });
    h.window.action(Command::ProgAll)->trigger();
    QCOMPARE(h.prompter->shown, QStringList{"information: Program completed."});
    QCOMPARE(h.drv->requests.mid(0, 3), (QStringList{"open", "4", "6"}));
    QCOMPARE(h.drv->requests.count("open"), 1);
}

void TestProgramRun::theProgressWindowShowsEachStepWhileItHappens()
{
    Harness h(ProgramProfile::quelda());
    h.window.action(Command::ProgAll)->trigger(); // makes the progress window
    TProgress *progress = h.window.progDlg().progress();
    // While the driver works on BeginRun, each packet and EndRun, the window's own thread says
    // what it shows by then.
    QStringList during;
    h.drv->requestHook = [&](const QString &kind) {
        if (kind == "6" || kind == "2" || kind == "5")
            QMetaObject::invokeMethod(
                progress,
                [&] {
                    during << kind + ": " + (progress->isVisible() ? progress->text() : "hidden");
                },
                Qt::BlockingQueuedConnection);
    };
    h.window.document().setCodes(2, QByteArray::fromHex("1C"));
    h.window.KeyClick(h.window.key(2), Qt::NoModifier);
    h.window.action(Command::ProgOne)->trigger();

    QCOMPARE(during, (QStringList{"6: hidden", "2: Now programming (1) ...",
                                  "2: Now programming (2) ...", "5: hidden"}));
}

QTEST_MAIN(TestProgramRun)
#include "tst_programrun.moc"
