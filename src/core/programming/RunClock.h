// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

// Every pause of a run goes through here, so that tests can let the time pass without waiting.
class RunClock
{
public:
    virtual ~RunClock() = default;
    virtual void sleep(int ms) = 0;
};

// Waits on the calling thread for the time asked.
class SystemRunClock : public RunClock
{
public:
    void sleep(int ms) override;
};

namespace RunTiming {
inline constexpr int BusyPauseMs = 200;  // after the cursor changes, at start and end
inline constexpr int RetryPauseMs = 500; // after a packet the keyboard did not take
inline constexpr int PacketPauseMs = 10; // after each packet taken
inline constexpr int MaxAttempts = 6;    // tries of one packet before the run gives up

// Waits until deadline on the monotonic clock: never less, and as little more as the machine
// allows. A full run is thousands of 10 ms pauses, so a wake-up that comes late by a fraction
// of a millisecond would lengthen it by several percent.
void waitUntil(std::chrono::steady_clock::time_point deadline);
} // namespace RunTiming
