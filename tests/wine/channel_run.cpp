// SPDX-License-Identifier: MIT
// The Windows channel as the programs use it, without a window: open it (which installs and
// starts the driver service from TVDRV.SYS beside this program), send one key's run, close it.
// It prints what a test needs to judge the channel from outside, one line per fact:
//   open yes|no
//   service while open: running|stopped|absent|...   (asked of the service manager)
//   NAME yes|no[: why]                                (each request of the run and its answer;
//                                                      why with --why, when the channel says)
//   run taken|failed
//   service after close: ...

#include "programming/RunBuffer.h"
#include "programming/SendPackets.h"
#include "programming/TDrv.h"
#include "programming/Win32Drv.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The driver service's state as the service manager sees it.
const char *serviceState()
{
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return "no service manager";
    const char *state = "absent";
    if (const SC_HANDLE service = OpenServiceA(manager, "TVDRV", SERVICE_QUERY_STATUS)) {
        SERVICE_STATUS status{};
        if (!QueryServiceStatus(service, &status))
            state = "unknown";
        else if (status.dwCurrentState == SERVICE_RUNNING)
            state = "running";
        else if (status.dwCurrentState == SERVICE_STOPPED)
            state = "stopped";
        else
            state = "changing";
        CloseServiceHandle(service);
    } else if (GetLastError() != ERROR_SERVICE_DOES_NOT_EXIST) {
        state = "unknown";
    }
    CloseServiceHandle(manager);
    return state;
}

// Passes every request to the real channel and prints it with its answer, so that the test
// sees what the run asked for and what it was told, besides what the driver received.
class TracingDrv : public TDrv
{
public:
    TracingDrv(TDrv &channel, bool why) : m_channel(channel), m_why(why) {}

    bool Open() override { return m_channel.Open(); }
    bool Close() override { return m_channel.Close(); }
    bool SendPacket(const std::uint8_t *packet, int length) override
    {
        std::printf("SendPacket");
        for (int i = 0; i < length; ++i)
            std::printf(" %02X", packet[i]);
        return answer("", m_channel.SendPacket(packet, length));
    }
    bool EndExchange() override { return answer("EndExchange", m_channel.EndExchange()); }
    bool IsReady() override { return answer("IsReady", m_channel.IsReady()); }
    bool EndRun() override { return answer("EndRun", m_channel.EndRun()); }
    bool BeginRun() override { return answer("BeginRun", m_channel.BeginRun()); }

    bool answer(const char *name, bool ok)
    {
        const std::string why = m_why && !ok ? m_channel.lastProblem() : std::string();
        std::printf("%s %s%s%s\n", name, ok ? "yes" : "no", why.empty() ? "" : ": ", why.c_str());
        std::fflush(stdout);
        return ok;
    }

private:
    TDrv &m_channel;
    bool m_why;
};

// The driver here answers at once and has no keyboard to wait for, so the run's pauses would
// only make the test slower; what is sent does not depend on them.
class NoPauseClock : public RunClock
{
public:
    void sleep(int) override {}
};

} // namespace

int main(int argc, char **argv)
{
    const auto option = [&](const char *name) {
        return argc > 1 && std::strcmp(argv[1], name) == 0;
    };
    Win32Drv channel(Win32Calls::system());
    TracingDrv drv(channel, option("--why"));
    drv.answer("open", drv.Open());
    std::printf("service while open: %s\n", serviceState());
    // A program that ends without closing the channel, as one that was killed would.
    if (option("--leave-open"))
        return 0;

    // Shift+A on key number 0x14: its six codes and the end mark after them.
    const std::uint8_t codes[] = {0x12, 0x1C, 0xF0, 0x1C, 0xF0, 0x12, 0xF7};
    RunBuffer run;
    run.begin();
    run.AppendKeyPackets(0x14, codes, int(sizeof codes));
    SilentRunView view;
    NoPauseClock clock;
    std::printf("run %s\n",
                sendPackets(drv, run, view, clock) == RunOutcome::Completed ? "taken" : "failed");

    drv.Close();
    std::printf("service after close: %s\n", serviceState());
    return 0;
}
