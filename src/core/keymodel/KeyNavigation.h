// SPDX-License-Identifier: MIT
#pragma once

class KeyGrid;

// Where the keyboard moves the selection on the key grid: from a key, which key an arrow key,
// Home or End goes to. Only shown keys are ever reached; a merged key is left across its edge.
namespace KeyNavigation {

enum class Move
{
    Left,
    Right,
    Up,
    Down,
    First, // Home
    Last   // End
};

// The shown key that covers the cell at index: the cell itself, or the merged key over it.
int keyOver(const KeyGrid &grid, int index);

// The key a move from the key at index goes to, or -1 where there is none (the grid's edge,
// or up and down on the key lock's single row). With no key (index -1), First and every arrow
// give the first key and Last the last one.
//
// On the keyboard grid, Right goes to the key over the cell just past the key's right edge in
// its top row and Down to the one just below its bottom edge in its first column: the very cells
// whose Shift+click grows the key, so Shift+Right and Shift+Down merge exactly as those clicks
// do. On the key lock, Left and Right follow the positions as they stand on the screen.
int target(const KeyGrid &grid, int index, Move move);

} // namespace KeyNavigation
