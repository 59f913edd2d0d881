// What the window needs to know of the system it opens on, which differs
// between POSIX systems and Windows: CMake builds display_posix.cpp or
// display_windows.cpp.
#pragma once

// The name of the interface between OpenGL and the window system.
extern const char *const OPENGLBINDING;

// What the user can do when the display offers no OpenGL window: a sentence
// that follows SDL's reason, or nothing.
extern const char *const OPENGLADVICE;

// PIXELS of a display at 100 %, in the display's own pixels: the window
// keeps its size on the screen whatever scale the user chose.
int DISPLAYPIXELS(int PIXELS);
