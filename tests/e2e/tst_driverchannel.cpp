// SPDX-License-Identifier: MIT
// The socket channel against drivers that misbehave, each a few lines of socket code in a
// thread of this test: whatever the driver does, a request ends within its deadline, and
// nothing but a single byte 1 to the request just sent counts as success (the replies and
// deadlines of docs/driver-protocol.md).

#include "StalledDriverSocket.h"
#include "programming/RunBuffer.h"
#include "programming/SendPackets.h"
#include "programming/SocketDrv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int DeadlineMs = 300;

enum class Driver
{
    AcceptsNothing, // listening, but its queue is full and it never accepts
    NeverReplies,
    RepliesLate,       // the reply comes after the deadline
    RepliesTwice,      // 01 01 in one write
    RepliesTwiceLater, // 01, then another 01 a moment later
    RepliesTwo,        // a byte other than 0 or 1
    HangsUp,           // reads the request and closes the connection
    Refuses,           // a well-behaved driver that says no
    StrayAfterReady,   // a stray 01 20 ms after each readiness reply, packets refused 50 ms late
};

sockaddr_un addressOf(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()) + 1);
    return address;
}

// A driver on path that behaves as told until it goes.
class HostileDriver
{
public:
    HostileDriver(const QString &path, Driver kind) : m_kind(kind)
    {
        if (kind == Driver::AcceptsNothing) {
            m_stalled = std::make_unique<StalledDriverSocket>(path);
            return;
        }
        const sockaddr_un address = addressOf(path);
        m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::bind(m_listen, reinterpret_cast<const sockaddr *>(&address), sizeof address);
        ::listen(m_listen, 4);
        m_thread = std::thread([this] { serve(); });
    }
    ~HostileDriver()
    {
        m_stop = true;
        if (m_listen < 0)
            return;
        ::shutdown(m_listen, SHUT_RDWR);
        m_thread.join();
        ::close(m_listen);
    }

private:
    void serve()
    {
        std::vector<int> open;
        for (;;) {
            const int fd = ::accept(m_listen, nullptr, nullptr);
            if (fd < 0)
                break;
            open.push_back(fd);
            std::uint8_t request[2 + 255];
            while (!m_stop && ::recv(fd, request, 2, MSG_WAITALL) == 2) {
                if (request[1] > 0 && ::recv(fd, request + 2, request[1], MSG_WAITALL) <= 0)
                    break;
                if (!answer(fd, request[0]))
                    break;
            }
        }
        for (int fd : open)
            ::close(fd);
    }

    // False when this connection is to be left alone.
    bool answer(int fd, std::uint8_t code)
    {
        auto say = [fd](const char *bytes, int size) { ::send(fd, bytes, size, MSG_NOSIGNAL); };
        const bool packet = code == DriverProtocol::SendPacketCode;
        switch (m_kind) {
        case Driver::StrayAfterReady:
            QThread::msleep(packet ? 50 : 0);
            say(packet ? "\0" : "\1", 1);
            if (code == DriverProtocol::IsReadyCode) // while the next request is served
                std::thread([copy = ::dup(fd)] {
                    QThread::msleep(20);
                    ::send(copy, "\1", 1, MSG_NOSIGNAL);
                    ::close(copy);
                }).detach();
            return true;
        case Driver::AcceptsNothing:
        case Driver::NeverReplies:
            return true;
        case Driver::RepliesLate:
            QThread::msleep(DeadlineMs + 100);
            say("\1", 1);
            return true;
        case Driver::RepliesTwice:
            say("\1\1", 2);
            return true;
        case Driver::RepliesTwiceLater:
            say("\1", 1);
            QThread::msleep(20);
            say("\1", 1);
            return true;
        case Driver::RepliesTwo:
            say("\2", 1);
            return true;
        case Driver::HangsUp:
            ::shutdown(fd, SHUT_RDWR);
            return false;
        case Driver::Refuses:
            say("\0", 1);
            return true;
        }
        return true;
    }

    Driver m_kind;
    int m_listen = -1;
    std::unique_ptr<StalledDriverSocket> m_stalled;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

} // namespace

class TestDriverChannel : public QObject
{
    Q_OBJECT
private slots:
    void hostileDrivers_data();
    void hostileDrivers();
    void aStrayYesIsNeverAPacketTaken();
    void pathsWithoutADriver_data();
    void pathsWithoutADriver();
};

void TestDriverChannel::hostileDrivers_data()
{
    QTest::addColumn<Driver>("driver");
    QTest::addColumn<QString>("results"); // IsReady, then (after 50 ms) IsReady again
    QTest::addColumn<QString>("problem"); // what the channel says of the first failure

    QTest::newRow("accepts no connection") << Driver::AcceptsNothing << "00"
                                           << "accepted no connection within 300 ms";
    QTest::newRow("no reply") << Driver::NeverReplies << "00"
                              << "no reply within 300 ms";
    QTest::newRow("late reply: never read as the next one's") << Driver::RepliesLate << "00"
                                                              << "no reply within 300 ms";
    QTest::newRow("surplus byte") << Driver::RepliesTwice << "00"
                                  << "more than one byte";
    QTest::newRow("surplus byte after the reply") << Driver::RepliesTwiceLater << "10"
                                                  << "a byte that answers no request";
    QTest::newRow("reply other than 0 or 1") << Driver::RepliesTwo << "00"
                                             << "replied 02";
    QTest::newRow("hang-up mid-request") << Driver::HangsUp << "00"
                                         << "hung up";
    QTest::newRow("a plain no keeps the connection") << Driver::Refuses << "00"
                                                     << "";
}

void TestDriverChannel::hostileDrivers()
{
    QFETCH(Driver, driver);
    QFETCH(QString, results);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tvdrv.sock"));
    HostileDriver hostile(path, driver);

    SocketDrv drv(QFile::encodeName(path).toStdString(), DeadlineMs);
    QElapsedTimer timer;
    timer.start();
    drv.Open();
    QString got;
    std::string firstProblem;
    for (int i = 0; i < 2; ++i) {
        got += drv.IsReady() ? '1' : '0';
        if (firstProblem.empty())
            firstProblem = drv.lastProblem();
        QThread::msleep(50);
    }
    QCOMPARE(got, results);
    QVERIFY2(QString::fromStdString(firstProblem).contains(problem), firstProblem.c_str());
    // Open, two requests and a reconnect each, with room for a loaded machine.
    QVERIFY2(timer.elapsed() < 6 * DeadlineMs + 1000, qPrintable(QString::number(timer.elapsed())));
    // A request inside an exchange never opens a connection of its own.
    if (!drv.connected()) {
        QVERIFY(!drv.EndExchange());
        QVERIFY(!drv.connected());
    }
}

void TestDriverChannel::aStrayYesIsNeverAPacketTaken()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tvdrv.sock"));
    HostileDriver hostile(path, Driver::StrayAfterReady);
    SocketDrv drv(QFile::encodeName(path).toStdString(), DeadlineMs);
    drv.Open();

    RunBuffer run;
    run.begin();
    const std::uint8_t codes[] = {DriverProtocol::EndMark};
    run.AppendKeyPackets(8, codes, 1);
    SilentRunView view;
    SystemRunClock clock; // the run's own pauses, which late bytes come in
    std::string why;
    // The packet's own no comes after the stray yes: read by EndExchange, or found after it.
    QCOMPARE(sendPackets(drv, run, view, clock, nullptr, &why), RunOutcome::Refused);
    QVERIFY2(QString::fromStdString(why).contains(
                 QRegularExpression("answers no request|out of step|more than one byte")),
             why.c_str());
}

void TestDriverChannel::pathsWithoutADriver_data()
{
    QTest::addColumn<QString>("made"); // what stands at the path
    QTest::addColumn<QString>("problem");

    QTest::newRow("nothing") << ""
                             << "there is no driver socket at";
    QTest::newRow("a file") << "file"
                            << "is not a socket";
    QTest::newRow("a folder") << "folder"
                              << "is not a socket";
    QTest::newRow("a socket nobody serves") << "dead socket"
                                            << "nothing is listening on";
}

void TestDriverChannel::pathsWithoutADriver()
{
    QFETCH(QString, made);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tvdrv.sock"));
    if (made == "file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (made == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tvdrv.sock")));
    } else if (made == "dead socket") {
        const sockaddr_un address = addressOf(path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
    }
    SocketDrv drv(QFile::encodeName(path).toStdString(), DeadlineMs);
    QVERIFY(!drv.Open());
    QVERIFY2(QString::fromStdString(drv.lastProblem()).contains(problem),
             drv.lastProblem().c_str());
    QVERIFY(!drv.IsReady());
    QVERIFY(!drv.SendPacket(reinterpret_cast<const std::uint8_t *>("\xF1\xF7\x00\x08\xF4"), 5));
}

QTEST_GUILESS_MAIN(TestDriverChannel)
#include "tst_driverchannel.moc"
