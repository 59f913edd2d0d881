// The window's system in a browser: WebGL, under Emscripten's emulation of
// OpenGL.
#include "platform/platform.h"

const char *const OPENGLBINDING = "WebGL";

const char *const OPENGLADVICE = ". Turn on hardware acceleration or WebGL in the browser's settings, "
                                 "or try another browser";
