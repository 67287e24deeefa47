// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

// The picture of the key lock shown under the row of position cells: the lock seen from the
// front, with a leader line from under each cell to the position on the lock's rim that the
// cell configures. Drawn only in the 16 basic colours so it matches the tool-bar pictures.
class LockPicture
{
public:
    static constexpr int Width = 320;
    static constexpr int Height = 240;
    static constexpr int PositionCount = 7;

    // Where the leader line of lock position `position` leaves the picture's top edge; the
    // cells above are laid out so that each one is centred over this.
    static constexpr int leaderX(int position) { return 28 + 44 * position; }

    static QImage render();
};
