// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

class TMainDlg;
struct ProgramProfile;

// Names the application and gives it the program's icon; needs the application object.
void prepareApplication(const ProgramProfile &profile);
// The start-up a user sees: the main window with its key cells, the file named on the command
// line loaded into it, centred and shown. Null when the cells could not be created; that has
// been reported to the user. The benchmark measures exactly this. A file whose name could not
// be carried exactly comes as refusedName, as shown to the user, and is said to be refused
// instead of loaded.
std::unique_ptr<TMainDlg> openMainWindow(const ProgramProfile &profile, const QString &file,
                                         const QString &refusedName = QString());

// Everything a program's main() does: the application object, the command line, the main
// window with its start-up load, and the event loop.
int runProgram(int argc, char **argv, const ProgramProfile &profile);
