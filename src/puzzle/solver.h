// The recursive solver of the puzzle.
#pragma once

// Moves the top H disks of peg F onto peg T, one flight per disk.
void HANOI(int F, int T, int H);
