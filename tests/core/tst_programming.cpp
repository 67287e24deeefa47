// SPDX-License-Identifier: MIT
#include "FakeDrv.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"
#include "programming/ProgramKeys.h"
#include "programming/RunBuffer.h"
#include "programming/Win32Drv.h"

#include <QTest>

namespace {

// Writes down what a run shows: "busy", "idle", and its events as "begun 2", "try 1.1",
// "refused 1.1", "ended refused at 1".
class RecordingView : public RunView
{
public:
    QStringList shown;
    void setBusyCursor(bool busy) override { shown << (busy ? "busy" : "idle"); }
    void runEvent(const RunEvent &e) override
    {
        static const char *const outcomes[] = {"completed", "refused", "cancelled", "failed"};
        switch (e.kind) {
        case RunEvent::Kind::Begun:
            shown << QStringLiteral("begun %1").arg(e.packet);
            break;
        case RunEvent::Kind::PacketTried:
            shown << QStringLiteral("try %1.%2").arg(e.packet).arg(e.attempt);
            break;
        case RunEvent::Kind::PacketRefused:
            shown << QStringLiteral("refused %1.%2").arg(e.packet).arg(e.attempt);
            break;
        case RunEvent::Kind::Ended:
            shown << QStringLiteral("ended %1 at %2").arg(outcomes[int(e.outcome)]).arg(e.packet);
            break;
        }
    }
};

QStringList packetsOf(const RunBuffer &run)
{
    QStringList packets;
    for (int i = 0; i < run.packetCount(); ++i)
        packets << QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(run.packet(i)), 5).toHex(' ').toUpper());
    return packets;
}

} // namespace

class TestProgramming : public QObject
{
    Q_OBJECT
private slots:
    void packets_data();
    void packets();
    void endMarkStaysOutOfTheCodes();
    void sendRun_data();
    void sendRun();
    void packetNumbersRunOnAcrossKeys();
    void win32Calls_data();
    void win32Calls();
    void serviceAlreadyRunningCountsAsStarted_data();
    void serviceAlreadyRunningCountsAsStarted();
};

void TestProgramming::packets_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<int>("index");        // -1: Prog All
    QTest::addColumn<QByteArray>("codes"); // of the key at index, or of key 1 for Prog All
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected"); // the first packets, then the last one

    QTest::newRow("Shift+A on key 12")
        << true << 12 << QByteArray::fromHex("121CF01CF012") << 7
        << QStringList{"F1 12 00 14 F4", "F1 1C 01 14 F4", "F1 F0 02 14 F4", "F1 1C 03 14 F4",
                       "F1 F0 04 14 F4", "F1 12 05 14 F4", "F1 F7 06 14 F4"};
    QTest::newRow("a key with no codes")
        << true << 83 << QByteArray() << 1 << QStringList{"F1 F7 00 5B F4"};
    QTest::newRow("an end mark read from a file ends the key there")
        << true << 0 << QByteArray::fromHex("1CF0F71C") << 3
        << QStringList{"F1 1C 00 08 F4", "F1 F0 01 08 F4", "F1 F7 02 08 F4"};
    QTest::newRow("Prog All, no codes anywhere")
        << true << -1 << QByteArray() << 84
        << QStringList{"F1 F7 00 08 F4", "F1 F7 00 09 F4", "F1 F7 00 0A F4", "F1 F7 00 5B F4"};
    QTest::newRow("Prog All, key 1 with codes")
        << true << -1 << QByteArray::fromHex("1C") << 85
        << QStringList{"F1 F7 00 08 F4", "F1 1C 00 09 F4", "F1 F7 01 09 F4", "F1 F7 00 5B F4"};
    QTest::newRow("key lock, Prog All")
        << false << -1 << QByteArray() << 7
        << QStringList{"F1 F7 00 70 F4", "F1 F7 00 71 F4", "F1 F7 00 76 F4"};
    QTest::newRow("key lock, Prog One") << false << 6 << QByteArray::fromHex("5A") << 2
                                        << QStringList{"F1 5A 00 76 F4", "F1 F7 01 76 F4"};
}

void TestProgramming::packets()
{
    QFETCH(bool, keyboard);
    QFETCH(int, index);
    QFETCH(QByteArray, codes);
    QFETCH(int, count);
    QFETCH(QStringList, expected);

    KeyDocument layout(keyboard ? ProgramProfile::tavrin() : ProgramProfile::quelda());
    layout.setCodes(index < 0 ? 1 : index, codes);
    RunBuffer run;
    const std::uint8_t leftover[] = {0x44, 0xF7}; // what the last run sent
    run.begin();
    run.AppendKeyPackets(0x33, leftover, 2);
    buildRun(layout, index, run);

    const QStringList packets = packetsOf(run);
    QCOMPARE(packets.size(), count);
    QCOMPARE(packets.first(expected.size() - 1), expected.first(expected.size() - 1));
    QCOMPARE(packets.last(), expected.last());
}

void TestProgramming::endMarkStaysOutOfTheCodes()
{
    KeyDocument layout(ProgramProfile::tavrin());
    layout.setCodes(5, QByteArray::fromHex("1C F0 1C"));
    const KeyGrid &grid = layout.grid();
    const KeyCell before = grid.cell(5);
    RunBuffer run;
    buildRun(layout, 5, run);
    QCOMPARE(grid.cell(5).CodeCount, 3);
    QCOMPARE(grid.cell(5).Codes[3], quint8(0xF7));
    QCOMPARE(QByteArrayView(grid.cell(5).Codes.data(), 3), QByteArrayView(before.Codes.data(), 3));
}

void TestProgramming::sendRun_data()
{
    QTest::addColumn<QString>("ready");   // script of IsReady answers
    QTest::addColumn<QString>("packets"); // script of SendPacket answers
    QTest::addColumn<QString>("ends");    // script of EndExchange answers
    QTest::addColumn<bool>("otherwise");
    QTest::addColumn<int>("throwOnPacket");
    QTest::addColumn<QString>("requests"); // packets shown as 2
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("elapsedMs");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("reason");

    const QString T1 = "try 1.1", T2 = "try 2.1";
    QTest::newRow("both taken at once")
        << ""
        << ""
        << "" << true << 0 << "4 6 3 4 2 3 4 2 3 4 5 3"
        << QStringList{"busy", "begun 2", T1, T2, "ended completed at 3", "idle"}
        << 200 + 10 + 10 + 200 << true << "";
    QTest::newRow("not ready at the start: no BeginRun, packets still tried")
        << "0"
        << ""
        << "" << true << 0 << "4 4 2 3 4 2 3 4 5 3"
        << QStringList{"busy", "begun 2", T1, T2, "ended completed at 3", "idle"} << 420 << true
        << "";
    QTest::newRow("a refused packet is still followed by EndExchange, then tried again")
        << ""
        << "0"
        << "" << true << 0 << "4 6 3 4 2 3 4 2 3 4 2 3 4 5 3"
        << QStringList{"busy", "begun 2", T1, "refused 1.1", "try 1.2", T2, "ended completed at 3",
                       "idle"}
        << 200 + 500 + 10 + 10 + 200 << true << "";
    QTest::newRow("not ready for the second packet")
        << "110"
        << ""
        << "" << true << 0 << "4 6 3 4 2 3 4 4 2 3 4 5 3"
        << QStringList{"busy", "begun 2", T1, T2, "refused 2.1", "try 2.2", "ended completed at 3",
                       "idle"}
        << 200 + 10 + 500 + 10 + 200 << true << "";
    // What a packet the keyboard never takes shows, up to the end of the run.
    QStringList sixWaits = {"busy", "begun 2"};
    for (int k = 1; k <= 6; ++k)
        sixWaits << QStringLiteral("try 1.%1").arg(k) << QStringLiteral("refused 1.%1").arg(k);
    sixWaits << "ended refused at 1"
             << "idle";
    QTest::newRow("six refusals fail the run, EndRun still sent")
        << ""
        << "000000"
        << "" << true << 0 << "4 6 3 4 2 3 4 2 3 4 2 3 4 2 3 4 2 3 4 2 3 4 5 3" << sixWaits
        << 200 + 6 * 500 + 200 << false << "";
    QTest::newRow("a channel that never opened fails after the retries")
        << ""
        << ""
        << "" << false << 0 << "4 4 4 4 4 4 4 4" << sixWaits << 3400 << false << "";
    QTest::newRow("a stray yes taken for the packet's reply, found out at EndExchange: sent again")
        << ""
        << "1"
        << "1x" << true << 0 << "4 6 3 4 2 3 4 2 3 4 2 3 4 5 3"
        << QStringList{"busy", "begun 2", T1, "refused 1.1", "try 1.2", T2, "ended completed at 3",
                       "idle"}
        << 200 + 500 + 10 + 10 + 200 << true << "";
    QTest::newRow("a stall's reason outlives the lost connection and the clean EndRun")
        << ""
        << "xxxxxx"
        << "1xxxxxx" << true << 0 << "4 6 3 4 2 3 4 2 3 4 2 3 4 2 3 4 2 3 4 2 3 4 5 3" << sixWaits
        << 200 + 6 * 500 + 200 << false << "the driver gave no reply within 2000 ms";
    QTest::newRow("a failure inside the run ends it like any other")
        << ""
        << ""
        << "" << true << 2 << "4 6 3 4 2 3 4 2 4 5 3"
        << QStringList{"busy", "begun 2", T1, T2, "ended failed at 0", "idle"} << 200 + 10 + 200
        << false << "lost the device";
}

void TestProgramming::sendRun()
{
    QFETCH(QString, ready);
    QFETCH(QString, packets);
    QFETCH(QString, ends);
    QFETCH(bool, otherwise);
    QFETCH(int, throwOnPacket);
    QFETCH(QString, requests);
    QFETCH(QStringList, shown);
    QFETCH(int, elapsedMs);
    QFETCH(bool, taken);
    QFETCH(QString, reason);

    FakeDrv drv;
    drv.readyScript = ready;
    drv.packetScript = packets;
    drv.endScript = ends;
    drv.otherwise = otherwise;
    drv.throwOnPacket = throwOnPacket;
    RecordingView view;
    VirtualClock clock;
    RunBuffer run;
    run.begin();
    const std::uint8_t codes[] = {0x1C, 0xF7};
    run.AppendKeyPackets(9, codes, 2);

    std::string why = "left from before";
    QCOMPARE(sendPackets(drv, run, view, clock, nullptr, &why) == RunOutcome::Completed, taken);
    QCOMPARE(QString::fromStdString(why), reason);
    QStringList kinds;
    for (const QString &r : drv.requests)
        kinds << r.left(1);
    QCOMPARE(kinds.join(' '), requests);
    QCOMPARE(view.shown, shown);
    QCOMPARE(clock.elapsedMs, elapsedMs);
    if (!drv.packets().isEmpty())
        QCOMPARE(drv.packets().first(), "2:F1 1C 00 09 F4");
}

void TestProgramming::packetNumbersRunOnAcrossKeys()
{
    KeyDocument layout(ProgramProfile::tavrin());
    layout.setCodes(0, QByteArray::fromHex("1CF0"));
    RunBuffer run;
    buildRun(layout, -1, run);
    FakeDrv drv;
    drv.packetScript = "1110"; // the first packet of the second key is refused once
    RecordingView view;
    VirtualClock clock;
    QCOMPARE(sendPackets(drv, run, view, clock), RunOutcome::Completed);
    QCOMPARE(view.shown.mid(5, 3), (QStringList{"try 4.1", "refused 4.1", "try 4.2"}));
    QCOMPARE(drv.packets().at(3), "2:F1 F7 00 09 F4");
    QCOMPARE(drv.packets().size(), 3 + 84);
}

namespace {

// A Windows system that writes down every call; handles are small numbers.
struct Win32Script
{
    Win32Calls::DWord platform = 2;
    bool deviceOpens = true;
    bool serviceCreated = true;
    Win32Calls::DWord startError = 0; // nonzero: StartServiceA fails with this error
    // How the driver takes a request: "answers" at once, "racing" finishes it only as it is
    // cancelled, "keeps" it even then, until "released".
    QString driver = "answers";
    bool released = false;
    bool driverFileThere = true;
    Win32Calls::DWord error = 0; // what GetLastError says
    struct Record
    {
        bool cancelled = false, finished = false;
    };
    std::vector<std::unique_ptr<Record>> records;
    QStringList calls;

    static void *handle(std::intptr_t n) { return reinterpret_cast<void *>(n); }
    static QString name(void *h) { return QString::number(reinterpret_cast<std::intptr_t>(h)); }

    Win32Calls table()
    {
        Win32Calls c;
        c.platformId = [this] { return platform; };
        c.moduleFileName = [this] {
            calls << "GetModuleFileNameA";
            return std::string("C:\\Tools\\prog.exe");
        };
        c.createFile = [this](const char *file, auto access, auto share, auto creation,
                              auto flags) {
            calls << QString::asprintf("CreateFileA %s %u %u %u %x", file, access, share, creation,
                                       flags);
            error = deviceOpens ? 0 : 2;
            return deviceOpens ? handle(7) : handle(-1);
        };
        c.closeHandle = [this](void *h) { calls << "CloseHandle " + name(h); };
        c.startIoControl = [this](void *h, auto code, const void *, auto length, auto &state) {
            calls << QString::asprintf("DeviceIoControl %s %u %u", qPrintable(name(h)), code,
                                       length);
            records.push_back(std::make_unique<Record>(Record{false, driver == "answers"}));
            state =
                driver == "answers" ? Win32Calls::IoState::Succeeded : Win32Calls::IoState::Pending;
            return static_cast<void *>(records.back().get());
        };
        c.createIoPort = [](void *) { return nullptr; };
        c.waitIo = [this](void *io, auto ms) {
            calls << QString::asprintf("WaitForSingleObject %u", ms);
            Record &r = *static_cast<Record *>(io);
            r.finished = released || (driver != "keeps" && r.cancelled);
            return r.finished;
        };
        c.ioSucceeded = [this](void *, void *) { return driver == "racing"; };
        c.cancelIo = [this](void *, void *io) {
            calls << "CancelIoEx";
            static_cast<Record *>(io)->cancelled = true;
        };
        // The system may still write into the record of a request the driver holds.
        c.freeIo = [this](void *io) {
            if (!static_cast<Record *>(io)->finished)
                calls << "a record freed under the driver";
        };
        c.openSCManager = [this](auto access) {
            calls << QString::asprintf("OpenSCManagerA %X", access);
            return handle(1);
        };
        c.createService = [this](void *, const char *service, const char *display, auto access,
                                 auto type, auto start, auto error, const char *path) {
            calls << QString::asprintf("CreateServiceA %s %s %X %u %u %u %s", service, display,
                                       access, type, start, error, path);
            error = serviceCreated ? 0 : 1073;
            return serviceCreated ? handle(2) : nullptr;
        };
        c.openService = [this](void *, const char *service, auto access) {
            calls << QString::asprintf("OpenServiceA %s %X", service, access);
            return handle(3);
        };
        c.startService = [this](void *) {
            calls << "StartServiceA";
            error = startError;
            return startError == 0;
        };
        c.controlService = [this](void *, auto control) {
            calls << QString::asprintf("ControlService %u", control);
            return true;
        };
        c.deleteService = [this](void *) {
            calls << "DeleteService";
            return true;
        };
        c.closeServiceHandle = [this](void *h) { calls << "CloseServiceHandle " + name(h); };
        c.lastError = [this] {
            calls << "GetLastError";
            return error;
        };
        c.fileExists = [this](const char *) { return driverFileThere; };
        c.errorText = [](auto) { return std::string(); };
        return c;
    }
};

const QStringList Install = {"OpenSCManagerA F003F",
                             "GetModuleFileNameA",
                             "CreateServiceA TVDRV TVDRV F01FF 1 3 1 C:\\Tools\\TVDRV.SYS",
                             "CloseServiceHandle 2",
                             "OpenServiceA TVDRV F01FF",
                             "StartServiceA",
                             "CloseServiceHandle 3",
                             "CloseServiceHandle 1"};
const QStringList Remove = {"OpenSCManagerA F003F", "OpenServiceA TVDRV F01FF", "ControlService 1",
                            "CloseServiceHandle 3", "OpenServiceA TVDRV F01FF", "DeleteService",
                            "CloseServiceHandle 3", "CloseServiceHandle 1"};
const QString NtOpen = "CreateFileA \\\\.\\TVDRV 0 0 3 40000080";
const QStringList Stall = {"DeviceIoControl 7 4 0", "WaitForSingleObject 2000", "CancelIoEx",
                           "WaitForSingleObject 500"};
const QString Held = "the keyboard driver still holds a request it did not answer within 2000 ms";

} // namespace

void TestProgramming::win32Calls_data()
{
    QTest::addColumn<bool>("nt");
    QTest::addColumn<bool>("deviceOpens");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("results");
    QTest::addColumn<QString>("problem"); // what the channel says after the last step

    QTest::newRow("NT: install, open, requests, close")
        << true << true << "open ready packet close"
        << Install +
               QStringList{NtOpen, "DeviceIoControl 7 4 0", "DeviceIoControl 7 2 5",
                           "CloseHandle 7"} +
               Remove
        << "1111"
        << "";
    QTest::newRow("NT: a second open does nothing")
        << true << true << "open open" << Install + QStringList{NtOpen} << "11"
        << "";
    QTest::newRow("close with nothing open touches nothing")
        << true << true << "close ready" << QStringList{} << "10"
        << "the channel is closed";
    QTest::newRow("NT: a failed open fails requests, and close still removes the service")
        << true << false << "open ready open close"
        << Install + QStringList{NtOpen, "GetLastError"} + Remove << "0001"
        << "there is no keyboard driver device \\\\.\\TVDRV (the driver is not running)";
    QTest::newRow("95 family: no service at all, device opened delete-on-close")
        << false << true << "open ready close"
        << QStringList{"CreateFileA \\\\.\\TVDRV.VXD 0 0 1 44000000", "DeviceIoControl 7 4 0",
                       "CloseHandle 7"}
        << "111"
        << "";
    QTest::newRow("finished as it was cancelled: counts as finished")
        << true << true << "open racing ready" << Install + QStringList{NtOpen} + Stall << "11"
        << "";
    QTest::newRow("cancellation ignored: closed, nothing more sent, the record left to the driver")
        << true << true << "open keeps ready packet ready close"
        << Install + QStringList{NtOpen} + Stall +
               QStringList{"CloseHandle 7", "WaitForSingleObject 0"} + Remove +
               QStringList{"WaitForSingleObject 0"}
        << "10001" << Held;
    QTest::newRow("the driver gives the request back: IsReady opens again")
        << true << true << "open keeps ready release answers ready"
        << Install + QStringList{NtOpen} + Stall +
               QStringList{"CloseHandle 7", "WaitForSingleObject 0", NtOpen,
                           "DeviceIoControl 7 4 0"}
        << "101"
        << "";
}

void TestProgramming::win32Calls()
{
    QFETCH(bool, nt);
    QFETCH(bool, deviceOpens);
    QFETCH(QString, steps);
    QFETCH(QStringList, calls);
    QFETCH(QString, results);
    QFETCH(QString, problem);

    Win32Script system;
    system.platform = nt ? 2 : 1;
    system.deviceOpens = deviceOpens;
    Win32Drv drv(system.table());
    QString got;
    const std::uint8_t packet[5] = {0xF1, 0xF7, 0, 8, 0xF4};
    for (const QString &step : steps.split(' ')) {
        if (step == "release") {
            system.released = true;
            continue;
        }
        if (!QStringList{"open", "close", "ready", "packet"}.contains(step)) {
            system.driver = step;
            continue;
        }
        const bool ok = step == "open"    ? drv.Open()
                        : step == "close" ? drv.Close()
                        : step == "ready" ? drv.IsReady()
                                          : drv.SendPacket(packet, 5);
        got += ok ? '1' : '0';
    }
    QCOMPARE(system.calls, calls);
    QCOMPARE(got, results);
    QCOMPARE(QString::fromStdString(drv.lastProblem()), problem);
}

void TestProgramming::serviceAlreadyRunningCountsAsStarted_data()
{
    QTest::addColumn<bool>("created");
    QTest::addColumn<uint>("startError");
    QTest::addColumn<bool>("started");
    QTest::newRow("started") << true << 0u << true;
    QTest::newRow("already running") << true << 1056u << true;
    QTest::newRow("access denied") << true << 5u << false;
    QTest::newRow("left behind by a killed program: not started") << false << 0u << false;
}

void TestProgramming::serviceAlreadyRunningCountsAsStarted()
{
    QFETCH(bool, created);
    QFETCH(uint, startError);
    QFETCH(bool, started);
    Win32Script system;
    system.serviceCreated = created;
    system.startError = startError;
    Win32Drv drv(system.table());
    QCOMPARE(drv.InstallService(), started);
}

QTEST_GUILESS_MAIN(TestProgramming)
#include "tst_programming.moc"
