#include "InterruptibleRunClock.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <thread>

namespace {

volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void onInterrupt(int signal)
{
    interruptRequested = 1;
    // A second Ctrl+C is not asked twice.
    std::signal(signal, SIG_DFL);
}

} // namespace

InterruptibleRunClock::InterruptibleRunClock()
{
    interruptRequested = 0;
    std::signal(SIGINT, onInterrupt);
}

InterruptibleRunClock::~InterruptibleRunClock()
{
    std::signal(SIGINT, SIG_DFL);
}

void InterruptibleRunClock::sleep(int ms)
{
    // After the interrupt the run is only ending: nothing left to wait for.
    if (m_thrown)
        return;
    constexpr int Slice = 10;
    for (int slept = 0; slept < ms || (m_armed && interruptRequested); slept += Slice) {
        if (m_armed && interruptRequested) {
            m_thrown = true;
            throw Interrupted{};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(Slice, ms - slept)));
    }
}
