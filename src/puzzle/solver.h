// The recursive solver of the puzzle.
#pragma once

// Moves the top H disks of peg F onto peg T, one flight per disk, and
// returns when the last has landed.
void HANOI(int F, int T, int H);
