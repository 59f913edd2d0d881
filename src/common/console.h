// The standard streams and the word to the user, which differ between
// POSIX systems and Windows: CMake builds console_posix.cpp or
// console_windows.cpp.
#pragma once

// Makes the standard streams safe for the whole run: standard output goes
// nowhere, since the program has nothing to say there (and without a
// display SDL's text-mode fallback drivers would draw on it); standard
// error stays the libraries' own, and a write to a stream nobody reads any
// more ends nothing.
void PREPARESTANDARDSTREAMS();

// Tells the user, in one line, why the program cannot go on.
void TELLUSER(const char *LINE);
