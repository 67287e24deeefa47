// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>

// Ctrl+C during a programming run: the first one asks the run to stop at its next pause (it
// finishes the exchange under way and still sends the end request); a second one ends the
// program at once. SIGINT is handled this way while an Interruption exists.
class Interruption
{
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption &) = delete;
    Interruption &operator=(const Interruption &) = delete;

    // The flag the run looks at.
    const std::atomic<bool> &requested() const;
};
