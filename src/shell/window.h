// The program's window.
#pragma once

#include <SDL.h>

// The video-mode flags for the hardware SDL reports.
Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO);

// Starts SDL video and opens the resizable 640 x 480 OpenGL window "Duruv",
// whether or not standard input, output and error are open; ends the
// program with status 1 and a message when no such window can be had.
void OPENWINDOW();

// Sets the OpenGL video mode anew at WIDTH x HEIGHT, with the flags of the
// first; ends the program with status 1 if it fails.
void SETVIDEOMODE(int WIDTH, int HEIGHT);
