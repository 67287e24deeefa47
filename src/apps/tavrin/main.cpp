// SPDX-License-Identifier: MIT
#include "app/ProgramMain.h"
#include "profile/ProgramProfile.h"

int main(int argc, char **argv)
{
    return runProgram(argc, argv, ProgramProfile::tavrin());
}
