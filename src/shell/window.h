// The program's window.
#pragma once

#include <SDL.h>

// The video-mode flags for the hardware SDL reports.
Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO);

// Starts SDL video and opens the resizable OpenGL window "Duruv", 640 x 480
// on a display at 100 % and as large on the screen at any other scale;
// ends the program with status 1 and a message when no such window can be
// had.
void OPENWINDOW();

// Sets the OpenGL video mode anew at WIDTH x HEIGHT, with the flags of the
// first; ends the program with status 1 if it fails.
void RESIZEVIDEOMODE(int WIDTH, int HEIGHT);

// Where SDL cannot switch the window to full screen in place (its Windows
// drivers): sets a full-screen mode at the display's own size, or, when full
// screen, the window again at its last size.
void TOGGLEFULLSCREENMODE();
