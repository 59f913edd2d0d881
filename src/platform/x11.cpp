// The window's system on POSIX systems with X11: GLX, and the scale the
// user chose for the desktop, which X11 desktops (GNOME, KDE, Xfce)
// publish to programs in the X server's Xft.dpi resource.
#include "platform/platform.h"

#include "common/scene.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char *const OPENGLBINDING = "GLX";

const char *const OPENGLADVICE = "";

namespace {

constexpr double UNSCALEDDPI = 96;      // X11 desktops' pixels per inch at 100 %

// Whether SDL draws through a Wayland compositor (sdl12-compat's native
// driver), which scales the window by the output's scale itself.
bool COMPOSITORSCALES()
{
    char DRIVER[32] = "";
    SDL_VideoDriverName(DRIVER, sizeof DRIVER);
    return std::strcmp(DRIVER, "wayland") == 0;
}

// The pixels per inch that the desktop publishes in the X server's
// resources, or 96 where it publishes none.
double XFTDPI(Display *DISPLAY)
{
    double DPI = UNSCALEDDPI;
    const char *RESOURCES = XResourceManagerString(DISPLAY);
    if (RESOURCES == nullptr)
        return DPI;
    XrmInitialize();
    XrmDatabase DATABASE = XrmGetStringDatabase(RESOURCES);
    char *TYPE;
    XrmValue VALUE;
    if (XrmGetResource(DATABASE, "Xft.dpi", "Xft.Dpi", &TYPE, &VALUE) && VALUE.addr != nullptr)
        DPI = std::strtod(VALUE.addr, nullptr);
    XrmDestroyDatabase(DATABASE);
    return DPI;
}

// The desktop's scale: 1 where Xft.dpi says 96 or less or nothing, and
// never more than lets the first window fit on the screen.
double DESKTOPSCALE()
{
    Display *DISPLAY = XOpenDisplay(nullptr);
    if (DISPLAY == nullptr)
        return 1;
    const double DPI = XFTDPI(DISPLAY);
    const int SCREEN = DefaultScreen(DISPLAY);
    const double FITS = std::min(double(DisplayWidth(DISPLAY, SCREEN)) / SCREENWIDTH,
                                 double(DisplayHeight(DISPLAY, SCREEN)) / SCREENHEIGHT);
    XCloseDisplay(DISPLAY);
    if (!(DPI > UNSCALEDDPI) || COMPOSITORSCALES())
        return 1;
    return std::max(1.0, std::min(DPI / UNSCALEDDPI, FITS));
}

}  // namespace

int DISPLAYPIXELS(int PIXELS)
{
    static const double SCALE = DESKTOPSCALE();
    return static_cast<int>(std::lround(PIXELS * SCALE));
}
