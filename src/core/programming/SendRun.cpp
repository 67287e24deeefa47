#include "SendRun.h"

#include "RunBuffer.h"
#include "TDrv.h"
#include "profile/Messages.h"

#include <cerrno>
#include <cstdio>
#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#include <time.h>
#endif

void RunTiming::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    // The kernel's wake-up comes late by tens to hundreds of microseconds: sleep until just
    // before the deadline, then watch the clock for the rest.
    constexpr auto Watched = microseconds(300);
#ifdef __linux__
    // Timer slack is the thread's own; the default lets the kernel add 50 us to every wake-up.
    static thread_local const bool slackSet = prctl(PR_SET_TIMERSLACK, 1UL) == 0;
    (void)slackSet;
    // steady_clock is CLOCK_MONOTONIC here; an absolute deadline keeps an interrupted sleep
    // from starting over.
    const auto wake = (deadline - Watched).time_since_epoch();
    if (wake.count() > 0) {
        timespec at{};
        at.tv_sec = time_t(duration_cast<seconds>(wake).count());
        at.tv_nsec = long(duration_cast<nanoseconds>(wake - seconds(at.tv_sec)).count());
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
    }
#else
    std::this_thread::sleep_until(deadline - Watched);
#endif
    while (steady_clock::now() < deadline) {
    }
}

void SystemRunClock::sleep(int ms)
{
    RunTiming::waitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

namespace {

std::string nowProgramming(int n)
{
    char text[48];
    std::snprintf(text, sizeof text, Messages::NowProgramming, n);
    return text;
}

std::string waiting(int n, int k)
{
    char text[48];
    std::snprintf(text, sizeof text, Messages::Waiting, n, k);
    return text;
}

void setBusy(RunView &view, RunClock &clock, bool busy)
{
    view.setBusyCursor(busy);
    clock.sleep(RunTiming::BusyPauseMs);
}

// Requests 6 and 5 are only allowed right after the keyboard said it is ready, and every
// exchange it opened is closed again; their own results change nothing.
void exchange(TDrv &drv, bool (TDrv::*request)())
{
    if (drv.IsReady()) {
        (drv.*request)();
        drv.EndExchange();
    }
}

// True when the keyboard took the packet within its attempts.
bool sendPacket(TDrv &drv, const std::uint8_t *packet, int n, RunView &view, RunClock &clock)
{
    for (int k = 1; k <= RunTiming::MaxAttempts; ++k) {
        view.setProgressText(nowProgramming(n));
        if (drv.IsReady()) {
            const bool taken = drv.SendPacket(packet, DriverProtocol::PacketSize);
            drv.EndExchange();
            if (taken)
                return true;
        }
        view.setProgressText(waiting(n, k));
        clock.sleep(RunTiming::RetryPauseMs);
    }
    return false;
}

} // namespace

bool SendRun(TDrv &drv, const RunBuffer &run, RunView &view, RunClock &clock)
{
    try {
        setBusy(view, clock, true);
        exchange(drv, &TDrv::BeginRun);
        view.showProgress();

        bool allTaken = true;
        for (int i = 0; i < run.packetCount() && allTaken; ++i) {
            allTaken = sendPacket(drv, run.packet(i), i + 1, view, clock);
            if (allTaken)
                clock.sleep(RunTiming::PacketPauseMs);
        }

        view.hideProgress();
        exchange(drv, &TDrv::EndRun);
        setBusy(view, clock, false);
        return allTaken;
    } catch (...) {
        view.hideProgress();
        exchange(drv, &TDrv::EndRun);
        setBusy(view, clock, false);
        return false;
    }
}
