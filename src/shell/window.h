// The program's window.
#pragma once

#include <SDL.h>

// The video-mode flags for the hardware SDL reports.
Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO);

// Starts SDL video and opens the resizable OpenGL window "Duruv".
void OPENWINDOW();

// Sets the OpenGL video mode at WIDTH x HEIGHT; stops the program if it fails.
void SETVIDEOMODE(int WIDTH, int HEIGHT);
