// SPDX-License-Identifier: MIT
// The socket channel against the keyboard simulator, with real pauses and a real socket. Both
// keep the rules of docs/driver-protocol.md (exchanges, reconnecting, one request at a time,
// socket permissions); these tests check them there, not one side against the other.

#include "SimulatorProcess.h"
#include "keymodel/KeyDocument.h"
#include "profile/ProgramProfile.h"
#include "programming/ProgramKeys.h"
#include "programming/RunBuffer.h"
#include "programming/SendPackets.h"
#include "programming/SocketDrv.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using SimulatorProcess::keyMemory;
std::unique_ptr<QProcess> startSimulator(const QStringList &args, int maxFiles = 0)
{
    return SimulatorProcess::start(args, maxFiles);
}

bool programKey(SocketDrv &drv, KeyDocument &layout, int index)
{
    RunBuffer run;
    buildRun(layout, index, run);
    SilentRunView view;
    SystemRunClock clock;
    return sendPackets(drv, run, view, clock) == RunOutcome::Completed;
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
    void hangUpMidRunOpensNoExchangeOnTheNextConnection();
    void aClientThatNeverReadsStallsNobody();
    void outOfDescriptorsItRestsAndServesAgain();
    void socketIsOwnerOnlyWhateverTheUmask();

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

    KeyDocument layout(ProgramProfile::tavrin());
    layout.setCodes(12, QByteArray::fromHex("121CF01CF012")); // Shift+A
    QVERIFY(programKey(drv, layout, 12));
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
    layout.setCodes(13, QByteArray::fromHex("1CF0"));
    QVERIFY(programKey(drv, layout, 13));
    QTRY_COMPARE(keyMemory(dumpPath()).value(21), "1C F0");
    // The run's first request, which met the dead connection, was sent again on a new one:
    // the run began as every run does.
    sim->waitForReadyRead(1000);
    const QByteArray log = sim->readAllStandardOutput();
    QVERIFY2(log.contains("#1 IsReady -> 1\n#2 BeginRun -> 1\n#3 EndExchange -> 1\n"),
             log.constData());

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

void TestSimulator::hangUpMidRunOpensNoExchangeOnTheNextConnection()
{
    // Requests 1 to 3 begin the run; 4 and 5 are the first packet's IsReady and SendPacket,
    // at which the simulator hangs up.
    auto sim = startSimulator({"--socket", socketPath(), "--drop", "5"});
    SocketDrv drv(socketPath().toStdString());
    QVERIFY(drv.Open());
    KeyDocument layout(ProgramProfile::tavrin());
    layout.setCodes(0, QByteArray::fromHex("1CF01C"));
    QVERIFY(programKey(drv, layout, 0));
    sim->waitForReadyRead(1000);
    const QByteArray log = sim->readAllStandardOutput();
    QVERIFY2(log.contains("#5 request 2: hanging up (--drop) -> hang up\n#6 IsReady -> 1\n"),
             log.constData());
    QVERIFY2(!log.contains("no exchange open"), log.constData());
}

void TestSimulator::aClientThatNeverReadsStallsNobody()
{
    auto sim = startSimulator({"--socket", socketPath()});
    QByteArray log;
    auto readLog = [&] {
        sim->waitForReadyRead(5);
        log += sim->readAllStandardOutput();
    };
    // A client that writes readiness requests and never reads a reply, until its replies fill
    // its socket; it keeps its connection.
    const int greedy = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, QFile::encodeName(socketPath()).constData());
    QCOMPARE(::connect(greedy, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    QByteArray requests(2 * 2000, '\0');
    for (qsizetype i = 0; i < requests.size(); i += 2)
        requests[i] = 4;
    QElapsedTimer timer;
    timer.start();
    for (qsizetype sent = 0; sent < requests.size() && timer.elapsed() < 5000;) {
        const ssize_t n =
            ::send(greedy, requests.constData() + sent, requests.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (errno == EAGAIN)
            readLog();
        else
            break;
    }

    SocketDrv drv(socketPath().toStdString());
    QVERIFY(drv.Open());
    QVERIFY(drv.IsReady());
    QVERIFY(drv.EndExchange());
    while (!log.contains("does not take its replies was dropped") && timer.elapsed() < 10000)
        readLog();
    QVERIFY2(log.contains("does not take its replies was dropped"), log.right(400).constData());
    ::close(greedy);
}

// The processor time a process has used so far, in clock ticks: utime and stime, the 12th and
// 13th fields after the command's name.
long long cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

void TestSimulator::outOfDescriptorsItRestsAndServesAgain()
{
    auto sim = startSimulator({"--socket", socketPath()}, 16);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, QFile::encodeName(socketPath()).constData());
    // Clients that connect and say nothing, more than the simulator has descriptors for.
    std::vector<int> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        ::connect(idle.back(), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    }
    QTest::qWait(300);

    // It waits for a descriptor instead of trying again and again, and says why.
    const long long before = cpuTicks(sim->processId());
    QTest::qWait(1000);
    const long long used = cpuTicks(sim->processId()) - before;
    QVERIFY2(used < 30, qPrintable(QString::number(used)));
    QVERIFY(sim->readAllStandardOutput().contains("out of descriptors"));

    for (int fd : idle)
        ::close(fd);
    SocketDrv drv(socketPath().toStdString());
    QVERIFY(drv.Open());
    QVERIFY(drv.IsReady());
    QVERIFY(drv.EndExchange());
}

void TestSimulator::socketIsOwnerOnlyWhateverTheUmask()
{
    const mode_t old = ::umask(0);
    auto sim = startSimulator({"--socket", socketPath()});
    ::umask(old);
    QCOMPARE(QFileInfo(socketPath()).permissions(),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    sim.reset();
    auto shared = startSimulator({"--socket", socketPath(), "--mode", "660"});
    QVERIFY(QFileInfo(socketPath()).permissions() & QFile::WriteGroup);
    QVERIFY(!(QFileInfo(socketPath()).permissions() & QFile::WriteOther));
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
