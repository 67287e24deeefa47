#pragma once

#include "programming/SendRun.h"

// Sleeps as a run asks, and ends the run cleanly on Ctrl+C: while armed (the packets are being
// sent), the next pause after the signal, which always falls between two exchanges with the
// keyboard, throws, and the run's own handler then sends the end request. A second Ctrl+C ends
// the program at once. The signal's handling is the program's while this exists.
class InterruptibleRunClock : public RunClock
{
public:
    struct Interrupted
    {
    };

    InterruptibleRunClock();
    ~InterruptibleRunClock() override;

    void sleep(int ms) override;
    void setArmed(bool armed) { m_armed = armed; }
    bool interrupted() const { return m_thrown; }

private:
    bool m_armed = false;
    bool m_thrown = false;
};
