// SPDX-License-Identifier: MIT
#pragma once

#include "RunClock.h"
#include "RunView.h"

#include <atomic>
#include <string>

class RunBuffer;
class TDrv;

// Sends a run's packets, each behind its own readiness request and with its retries, and says
// how the run ended. Whatever happens, a run that began with the keyboard ready is ended with
// EndRun when the keyboard allows, and the cursor is given back.
//
// cancel, when given, is looked at before the first packet and after every pause, which always
// falls between two exchanges with the keyboard: a run asked to stop finishes the exchange under
// way, sends no further packet and still ends the run.
//
// A packet counts as taken only when its whole exchange was clean: a fault of the channel in any
// of its three requests voids it, and it is tried again like a refused one. A one-byte reply
// says nothing of the request it answers, so a stray byte can leave every later reply one step
// behind, all of them yes: bytes found where no reply was due put in doubt every packet taken
// since the channel was last found quiet after a retry's pause, and the run goes back to the
// first of them. A run after which such bytes still come is not called completed.
//
// reason, when given, receives why a run that did not complete failed: the first fault of the
// channel in the run, or what failed inside; empty when the keyboard simply refused.
RunOutcome sendPackets(TDrv &drv, const RunBuffer &run, RunView &view, RunClock &clock,
                       const std::atomic<bool> *cancel = nullptr, std::string *reason = nullptr);
