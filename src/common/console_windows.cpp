// The standard streams and the word to the user on Windows.
#include "common/console.h"

#include <cstdio>
#include <windows.h>

void PREPARESTANDARDSTREAMS()
{
    // Window-system objects are handles, not C descriptors, so a closed
    // stream's number is never given to one of them as on POSIX systems;
    // only standard output is sent away.
    std::freopen("NUL", "w", stdout);
}

void TELLUSER(const char *LINE)
{
    // A program without a console has no standard error that a user sees,
    // so the line comes in a message box too.
    std::fprintf(stderr, "%s\n", LINE);
    MessageBoxA(nullptr, LINE, "Duruv", MB_OK | MB_ICONERROR);
}
