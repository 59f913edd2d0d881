// The window's system on POSIX systems with X11: GLX.
#include "platform/platform.h"

const char *const OPENGLBINDING = "GLX";

const char *const OPENGLADVICE = "";
