// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <optional>

// The set-2 make code that the keyboard is given for a scan byte as the PC reports it, or
// nothing for a key the keyboard cannot send (the logo and menu keys, for one).
std::optional<quint8> ScanToCode(quint8 scan);
