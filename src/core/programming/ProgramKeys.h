// SPDX-License-Identifier: MIT
#pragma once

class KeyGrid;
class RunBuffer;

// Fills the run buffer for Prog One (the key at index) or Prog All (index -1: every key in
// index order, hidden ones included, each with its own key number and codes).
void buildRun(KeyGrid &grid, int index, RunBuffer &run);
