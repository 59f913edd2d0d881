// The three peg stacks. Every access is checked: an index or value out of
// range is a program error that stops the program before memory outside
// the stacks is touched.
#pragma once

// Fills peg 1 with disks N (bottom) to 1 (top) and empties pegs 2 and 3.
void STARTINGTOWER();

// Number of disks on peg P (1 to 3).
int DISKCOUNT(int P);
void SETDISKCOUNT(int P, int COUNT);

// Disk number in position K of peg P, position 1 at the bottom.
int DISKAT(int P, int K);
void SETDISKAT(int P, int K, int INDEX);

