// Module-level state shared by the shell, the puzzle and the renderer.
// It lives for the whole run; the peg stacks are kept in puzzle/stacks.h.
#pragma once

#include <SDL.h>
#include <GL/glu.h>

extern int FLYINGINDEX;     // disk in flight, 0 for none
extern float FLYPOSITION;   // place of the flying disk in peg units
extern float FLYHEIGHT;     // height of the flying disk's underside

extern double TR;           // camera distance offset; larger is nearer
extern double ROTDX;        // view angles in degrees
extern double ROTDY;
extern double ROTDZ;

extern GLUquadric *Q;       // the one quadric for cylinders and spheres

extern SDL_Surface *SURFACE;
extern Uint32 VIDEOFLAGS;   // flags of the video mode, reused on resize
extern SDL_Event EVENT;
extern Uint8 *KEYSTATE;
extern bool DONE;
