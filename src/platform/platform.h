// What differs between the systems the program runs on: Linux and other
// POSIX systems with X11 (posix.cpp and x11.cpp), Windows (windows.cpp), and
// the browser under Emscripten, whose streams are POSIX ones (posix.cpp and
// web.cpp). CMake builds the files of the system it builds for.
#pragma once

// Makes the standard streams safe for the whole run: standard output goes
// nowhere, since the program has nothing to say there (and without a
// display SDL's text-mode fallback drivers would draw on it); standard
// error stays the libraries' own, and a write to a stream nobody reads any
// more ends nothing.
void PREPARESTANDARDSTREAMS();

// Tells the user, in one line, why the program cannot go on.
void TELLUSER(const char *LINE);

// The name of the interface between OpenGL and the window system.
extern const char *const OPENGLBINDING;

// What the user can do when the display offers no OpenGL window: a sentence
// that follows SDL's reason, or nothing.
extern const char *const OPENGLADVICE;

// PIXELS of a display at 100 %, in the display's own pixels: the window
// keeps its size on the screen whatever scale the user chose.
int DISPLAYPIXELS(int PIXELS);
