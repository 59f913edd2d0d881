// Windows: the standard streams and the word to the user; WGL, the
// graphics driver that provides it, and the scale the user set for the
// display (the program says in its manifest that it draws at the display's
// own pixels).
#include "platform/platform.h"

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

const char *const OPENGLBINDING = "WGL";

const char *const OPENGLADVICE =
    ". Install or update the graphics driver from the maker of your computer or graphics card, then start Duruv again.";

int DISPLAYPIXELS(int PIXELS)
{
    constexpr int UNSCALEDDPI = 96;     // Windows' pixels per inch at 100 %
    HDC SCREEN = GetDC(nullptr);
    int DPI = GetDeviceCaps(SCREEN, LOGPIXELSY);
    ReleaseDC(nullptr, SCREEN);
    return MulDiv(PIXELS, DPI, UNSCALEDDPI);
}
