// SPDX-License-Identifier: MIT
#pragma once

#include <QSettings>

#include <memory>

// The user's settings of the running program, each program in a file of its own named after
// the application. Opened afresh for each read or write, so that another window's entries
// written meanwhile are read, not overwritten with an old copy.
class UserSettings
{
public:
    static std::unique_ptr<QSettings> open();
};
