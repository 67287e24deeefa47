// SPDX-License-Identifier: MIT
#include "Interruption.h"

#include <csignal>

namespace {

std::atomic<bool> interruptRequested = false;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void onInterrupt(int signal)
{
    interruptRequested = true;
    // A second Ctrl+C is not asked twice.
    std::signal(signal, SIG_DFL);
}

} // namespace

Interruption::Interruption()
{
    interruptRequested = false;
    std::signal(SIGINT, onInterrupt);
}

Interruption::~Interruption()
{
    std::signal(SIGINT, SIG_DFL);
}

const std::atomic<bool> &Interruption::requested() const
{
    return interruptRequested;
}
