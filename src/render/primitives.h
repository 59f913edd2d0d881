// The scene's solids, drawn at the current model-view matrix, which each
// leaves as it found it. Disks and pegs set their own material first.
#pragma once

#include <GL/gl.h>

// Sets the front faces' material: the colour for ambient and diffuse light,
// the specular colour and the shininess.
void SETMATERIAL(const GLfloat *AMBANDDIFF, const GLfloat *SPECULAR, GLfloat SHININESS);

// Disk INDEX (1 smallest to N largest) of a set of N: a washer of height
// DISKHEIGHT around a hole of INNERRADIUS, its bottom centred at the origin,
// its radius and colour graded from disk 1 to disk N.
void DRAWDISK(int N, int INDEX);

// The axis-aligned box from the minimum corner A to the maximum corner B:
// six faces, each wound counter-clockwise as seen from outside, with its
// outward normal. The caller sets the material.
void DRAWABOX(double AX, double AY, double AZ, double BX, double BY, double BZ);

// Peg I (1 to 3) at its place on the base, with the disks stacked on it.
void DRAWCOLUMN(int N, int I);
