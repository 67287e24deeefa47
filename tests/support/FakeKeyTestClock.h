// SPDX-License-Identifier: MIT
#pragma once

#include "keytest/KeyTestClock.h"

// A clock the test moves by hand: it starts at 07:51:03 on 8 December 2026.
class FakeKeyTestClock : public KeyTestClock
{
public:
    qint64 ms = 0;

    qint64 elapsedMs() const override { return ms; }
    QDateTime now() const override
    {
        return QDateTime(QDate(2026, 12, 8), QTime(7, 51, 3)).addMSecs(ms);
    }
};
