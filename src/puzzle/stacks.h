// The three peg stacks. Every access is checked: an index or value out of
// range is a program error that stops the program before memory outside
// the stacks is touched.
#pragma once

// Fills peg 1 with disks N (bottom) to 1 (top) and empties pegs 2 and 3.
void STARTINGTOWER();

// The number of disks on peg P (1 to 3), and setting it (0 to 20).
int DISKCOUNT(int P);
void SETDISKCOUNT(int P, int COUNT);

// The disk number in position K of peg P, position 1 at the bottom: read
// only in the live positions 1 to count, written in any of 1 to 20.
int DISKAT(int P, int K);
void SETDISKAT(int P, int K, int INDEX);
