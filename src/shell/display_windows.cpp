// The window's system on Windows: WGL, the graphics driver that provides
// it, and the scale the user set for the display (the program says in its
// manifest that it draws at the display's own pixels).
#include "shell/display.h"

#include <windows.h>

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
