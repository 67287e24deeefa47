// SPDX-License-Identifier: MIT
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The user's settings of the running program, each program in a file of its own named after
// the application. Opened afresh for each read or write, so that another window's entries
// written meanwhile are read, not overwritten with an old copy.
class UserSettings
{
public:
    // Null when the settings file is there but is not a regular file that can be read: opening
    // a FIFO waits for a writer that may never come, and a file that cannot be read would be
    // written over unread. Such a file is passed over, said once on standard error, and
    // neither read nor written; what would be kept then lasts for this run only.
    static std::unique_ptr<QSettings> open();
    // Where the settings file is, found without QSettings, which opens its file as it is made.
    static QString file();
};
