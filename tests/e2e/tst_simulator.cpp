// The socket channel against the keyboard simulator, with real pauses and a real socket.

#include "SimulatorProcess.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"
#include "programming/ProgramKeys.h"
#include "programming/RunBuffer.h"
#include "programming/SendRun.h"
#include "programming/SocketDrv.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using SimulatorProcess::keyMemory;
const auto startSimulator = SimulatorProcess::start;

bool programKey(SocketDrv &drv, KeyGrid &grid, int index)
{
    RunBuffer run;
    buildRun(grid, index, run);
    SilentRunView view;
    SystemRunClock clock;
    return SendRun(drv, run, view, clock);
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void programsKeysAcrossASimulatorRestart();
    void secondSimulatorOnALiveSocketIsRefused();
    void failedRequests_data();
    void failedRequests();
    void socketPathFromEnvironment();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString socketPath() const { return m_dir->filePath(QStringLiteral("tvdrv.sock")); }
    QString dumpPath() const { return m_dir->filePath(QStringLiteral("keys.json")); }
};

void TestSimulator::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestSimulator::programsKeysAcrossASimulatorRestart()
{
    const QStringList args{"--socket", socketPath(), "--dump", dumpPath()};
    auto sim = startSimulator(args);
    SocketDrv drv(socketPath().toStdString());
    QVERIFY(drv.Open());

    KeyGrid grid(ProgramProfile::tavrin());
    grid.setCodes(12, QByteArray::fromHex("121CF01CF012")); // Shift+A
    QVERIFY(programKey(drv, grid, 12));
    QTRY_COMPARE(keyMemory(dumpPath()).value(20), "12 1C F0 1C F0 12");
    sim->waitForReadyRead(1000);
    QVERIFY(sim->readAllStandardOutput().contains(
        "SendPacket F1 F7 06 14 F4 key 20 now holds [12 1C F0 1C F0 12] -> 1"));

    // Killed: its socket file stays behind, and the next simulator takes it over. The channel
    // is not opened again; it finds the new one by itself. The new one refuses the second
    // packet once.
    sim->kill();
    sim->waitForFinished();
    QVERIFY(QFile::exists(socketPath()));
    sim = startSimulator(args + QStringList{"--refuse-packet", "2"});
    grid.setCodes(13, QByteArray::fromHex("1CF0"));
    QVERIFY(programKey(drv, grid, 13));
    QTRY_COMPARE(keyMemory(dumpPath()).value(21), "1C F0");

    sim->terminate();
    QVERIFY(sim->waitForFinished(5000));
    QCOMPARE(sim->exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim->exitCode(), 0);
    QVERIFY(!QFile::exists(socketPath()));
    QVERIFY(drv.Close());
}

void TestSimulator::secondSimulatorOnALiveSocketIsRefused()
{
    auto first = startSimulator({"--socket", socketPath()});
    QProcess second;
    second.start(QStringLiteral(TVDRV_SIM), {"--socket", socketPath()});
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains("another simulator is already serving"));
    QCOMPARE(first->state(), QProcess::Running);
    SocketDrv drv(socketPath().toStdString());
    QVERIFY(drv.Open());
    QVERIFY(drv.IsReady());
}

void TestSimulator::failedRequests_data()
{
    QTest::addColumn<QStringList>("simArgs"); // empty: no simulator at all
    QTest::addColumn<QString>("results");     // Open, then IsReady, EndExchange, IsReady

    QTest::newRow("no daemon") << QStringList{} << "0000";
    QTest::newRow("no reply in time: dropped, and dropped again")
        << QStringList{"--slow", "400"} << "1000";
    QTest::newRow("hang-up: the next request connects again")
        << QStringList{"--drop", "1"} << "1001";
    QTest::newRow("a request outside an exchange is refused, not dropped")
        << QStringList{"--refuse-ready", "1"} << "1001";
}

void TestSimulator::failedRequests()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, results);
    std::unique_ptr<QProcess> sim;
    if (!simArgs.isEmpty())
        sim = startSimulator(simArgs + QStringList{"--socket", socketPath()});

    SocketDrv drv(socketPath().toStdString(), 100);
    QString got;
    got += drv.Open() ? '1' : '0';
    got += drv.IsReady() ? '1' : '0';
    got += drv.EndExchange() ? '1' : '0';
    got += drv.IsReady() ? '1' : '0';
    QCOMPARE(got, results);
}

void TestSimulator::socketPathFromEnvironment()
{
    qputenv("TVDRV_SOCKET", "/tmp/elsewhere.sock");
    QCOMPARE(SocketDrv::defaultPath(), "/tmp/elsewhere.sock");
    qputenv("TVDRV_SOCKET", "");
    QCOMPARE(SocketDrv::defaultPath(), "/run/tvdrv.sock");
    qunsetenv("TVDRV_SOCKET");
    QCOMPARE(SocketDrv::defaultPath(), "/run/tvdrv.sock");
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
