// The program's window and its ways out.
#pragma once

#include <SDL.h>

// The video-mode flags for the hardware SDL reports.
Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO);

// Starts SDL video and opens the resizable OpenGL window "Duruv".
void OPENWINDOW();

// Sets the OpenGL video mode at WIDTH x HEIGHT; stops the program if it fails.
void SETVIDEOMODE(int WIDTH, int HEIGHT);

// Shuts SDL down and ends the process with status 0.
[[noreturn]] void TERMINATEAPPLICATION();

// Reports WHAT failed and why on standard error, shuts SDL down, status 1.
[[noreturn]] void EXITWITHERROR(const char *WHAT, const char *WHY);
