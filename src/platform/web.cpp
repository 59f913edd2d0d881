// The window's system in a browser: WebGL, under Emscripten's emulation of
// OpenGL. The page gives the program the view's size in the screen's own
// pixels, so the program scales nothing itself.
#include "platform/platform.h"

const char *const OPENGLBINDING = "WebGL";

const char *const OPENGLADVICE = ". Turn on hardware acceleration or WebGL in the browser's settings, "
                                 "or try another browser";

int DISPLAYPIXELS(int PIXELS)
{
    return PIXELS;
}
