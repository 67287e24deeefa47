// SPDX-License-Identifier: MIT
#pragma once

class KeyDocument;
class RunBuffer;

// Fills the run buffer for Prog One (the key at index) or Prog All (index -1: every key in
// index order, hidden ones included, each with its own key number and codes).
// The end mark goes into each key's cells on the way, as the keyboard expects it there.
void buildRun(KeyDocument &document, int index, RunBuffer &run);
