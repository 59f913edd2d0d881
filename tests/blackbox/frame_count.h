// The frame count that the black-box harness shares with the program it
// runs, kept by the frame shim preloaded into it.
#pragma once

#include <X11/Xlib.h>

// Counts a buffer swap just made. At the frame the test asked for, the
// picture reaches the X server through `display` (when there is one) and the
// program stops itself, so that the test sees exactly that frame.
void CountFrame(Display *display);
