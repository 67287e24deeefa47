// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/ConfigFile.h"

#include <QString>

struct ProgramProfile;

// The second part of a failure box about a configuration file: which file, and why, in words a
// user can act on. The box's own text stays the one users of earlier versions know.
namespace FileMessages {

// Why the file at path was not loaded.
QString loadDetails(const QString &path, const ConfigFile::LoadResult &result,
                    const ProgramProfile &profile);
// Why a file named on the command line was not even looked for: its name, shown as the
// command line gave it, cannot be carried exactly.
QString refusedNameDetails(const QString &shownName);
// Why the file at path was not written: the system's reason.
QString saveDetails(const QString &path, const QString &systemError);

} // namespace FileMessages
