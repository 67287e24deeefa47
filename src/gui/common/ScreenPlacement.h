// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Moves a window to the middle of its screen's free area (the screen its parent is on, for a
// dialog not shown yet). Every window of the programs opens there, as its users expect.
void centreOnScreen(QWidget &window);
