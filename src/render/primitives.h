// The scene's solids, drawn at the current model-view matrix, which each
// leaves as it found it.
#pragma once

// Disk INDEX (1 smallest to N largest) of a set of N, its bottom at the origin.
void DRAWDISK(int N, int INDEX);

// The axis-aligned box from the minimum corner A to the maximum corner B.
void DRAWABOX(double AX, double AY, double AZ, double BX, double BY, double BZ);

// Peg I (1 to 3) at its place on the base, with the disks stacked on it.
void DRAWCOLUMN(int N, int I);
