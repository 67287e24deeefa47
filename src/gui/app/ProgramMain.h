#pragma once

struct ProgramProfile;

// Everything a program's main() does: the application object, the command line, the main
// window with its start-up load, and the event loop.
int runProgram(int argc, char **argv, const ProgramProfile &profile);
