// The window's system on POSIX systems: GLX, and no scale of the display
// that the program would have to follow.
#include "shell/display.h"

const char *const OPENGLBINDING = "GLX";

const char *const OPENGLADVICE = "";

int DISPLAYPIXELS(int PIXELS)
{
    return PIXELS;
}
