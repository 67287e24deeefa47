// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>

// How many cells each program's grid has: the keyboard's 84 keys in 12 columns of 7, and its key
// lock's 7 positions. Kept apart from the profiles, which need Qt, for the programming run's
// buffer, which is sized before any program is chosen and builds without Qt.
namespace CellCounts {

inline constexpr int KeyboardColumns = 12;
inline constexpr int KeyboardRows = 7;
inline constexpr int Keyboard = KeyboardColumns * KeyboardRows;
inline constexpr int KeyLock = 7;
inline constexpr int Most = std::max(Keyboard, KeyLock);

} // namespace CellCounts
