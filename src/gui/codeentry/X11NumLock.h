// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace X11NumLock {

// The X state bit that shows Num Lock on the display the program runs on; the usual bit where
// there is no X display to ask.
quint32 mask();

} // namespace X11NumLock
