#pragma once

#include <chrono>
#include <string>

class RunBuffer;
class TDrv;

// What a programming run shows the user while it works.
class RunView
{
public:
    virtual ~RunView() = default;
    // The hourglass over the main window, or the default cursor again.
    virtual void setBusyCursor(bool busy) = 0;
    // The progress window, with an empty label, in front.
    virtual void showProgress() = 0;
    virtual void setProgressText(const std::string &text) = 0;
    virtual void hideProgress() = 0;
};

// Shows nothing: for runs without a screen.
class SilentRunView : public RunView
{
public:
    void setBusyCursor(bool) override {}
    void showProgress() override {}
    void setProgressText(const std::string &) override {}
    void hideProgress() override {}
};

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

// Sends a run's packets, each behind its own readiness request and with its retries, and
// answers whether the keyboard took every one. Whatever happens, a run that began with the
// keyboard ready is ended with EndRun when the keyboard allows, and the cursor is given back.
bool SendRun(TDrv &drv, const RunBuffer &run, RunView &view, RunClock &clock);
