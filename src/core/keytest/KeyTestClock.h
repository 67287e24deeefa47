// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// The key tester's sense of time: a steady count for the gaps between strokes, which a change
// of the system time must not break, and the time of day for people. Tests hand in a clock
// they move by hand.
class KeyTestClock
{
public:
    virtual ~KeyTestClock() = default;
    virtual qint64 elapsedMs() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemKeyTestClock : public KeyTestClock
{
public:
    SystemKeyTestClock() { m_timer.start(); }
    qint64 elapsedMs() const override { return m_timer.elapsed(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }

private:
    QElapsedTimer m_timer;
};
