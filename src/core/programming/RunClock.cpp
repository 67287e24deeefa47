// SPDX-License-Identifier: MIT
#include "RunClock.h"

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
