// SPDX-License-Identifier: MIT
#pragma once

// How a programming run ended.
enum class RunOutcome
{
    Completed, // the keyboard took every packet
    Refused,   // a packet was not taken within its attempts
    Cancelled, // stopped at a pause on request
    Failed,    // the run failed inside (the channel threw)
};

// What a run reports while it works, in this order: Begun; for every attempt at a packet
// PacketTried, and PacketRefused when it was not taken; Ended, when the progress is put away
// (the run's end request and the cursor still follow). Each program shows these in its own words.
struct RunEvent
{
    enum class Kind
    {
        Begun,
        PacketTried,
        PacketRefused,
        Ended,
    };
    Kind kind;
    int packet = 0;  // counted from 1 over the whole run; Begun: how many there are; Ended:
                     // the packet the run stopped at, or the count + 1 after the last one
    int attempt = 0; // 1 to RunTiming::MaxAttempts
    RunOutcome outcome = RunOutcome::Completed; // Ended only
};

// What a programming run shows the user while it works.
class RunView
{
public:
    virtual ~RunView() = default;
    // The hourglass over the main window, or the default cursor again.
    virtual void setBusyCursor(bool busy) = 0;
    virtual void runEvent(const RunEvent &event) = 0;
};

// Shows nothing: for runs without a screen.
class SilentRunView : public RunView
{
public:
    void setBusyCursor(bool) override {}
    void runEvent(const RunEvent &) override {}
};
