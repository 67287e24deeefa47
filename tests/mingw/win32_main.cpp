// SPDX-License-Identifier: MIT
// Links the Windows channel and the run into a program, so that every system call they make
// resolves against the real Windows libraries. Never run by the tests.

#include "programming/RunBuffer.h"
#include "programming/SendPackets.h"
#include "programming/TDrv.h"

int main()
{
    const auto drv = TDrv::createPlatformDrv();
    drv->Open();
    RunBuffer run;
    run.begin();
    const std::uint8_t noCodes[] = {0xF7};
    run.AppendKeyPackets(8, noCodes, 1);
    SilentRunView view;
    SystemRunClock clock;
    const bool taken = sendPackets(*drv, run, view, clock) == RunOutcome::Completed;
    drv->Close();
    return taken ? 0 : 1;
}
