// The program's window.
#pragma once

#include <SDL.h>

// Points the closed ones of standard input, output and error at /dev/null,
// then standard output too, for the whole run: the program has nothing to
// say there, and without a display SDL's text-mode fallback drivers would
// draw on it. Standard error stays the libraries' own.
void PREPARESTANDARDSTREAMS();

// The video-mode flags for the hardware SDL reports.
Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO);

// Starts SDL video and opens the resizable 640 x 480 OpenGL window "Duruv";
// ends the program with status 1 and a message when no such window can be
// had.
void OPENWINDOW();

// Sets the OpenGL video mode anew at WIDTH x HEIGHT, with the flags of the
// first; ends the program with status 1 if it fails.
void SETVIDEOMODE(int WIDTH, int HEIGHT);
