// Module-level state of the window, its events and its OpenGL context,
// shared by the shell and the renderer. It lives for the whole run.
#pragma once

#include <SDL.h>
#include <GL/glu.h>

extern GLUquadric *Q;       // the one quadric for cylinders and spheres

extern SDL_Surface *SURFACE;
extern Uint32 VIDEOFLAGS;   // flags of the video mode, reused on resize
extern SDL_Event EVENT;
extern Uint8 *KEYSTATE;
extern bool DONE;
