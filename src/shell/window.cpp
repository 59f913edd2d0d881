// Start-up of SDL video and the OpenGL window. The program prints nothing,
// and the libraries under it may write to the standard streams, so start-up
// makes sure those never share a number with another descriptor and that
// nothing reaches a terminal on standard output.
#include "shell/window.h"

#include "common/exits.h"
#include "common/scene.h"
#include "common/windowstate.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Points each of standard input, output and error that is closed at
// /dev/null. Otherwise a descriptor opened later, such as the connection to
// the X server, would take its number, and whatever a library writes to
// that stream would go into it.
void FILLCLOSEDSTREAMS()
{
    for (int FD = STDIN_FILENO; FD <= STDERR_FILENO; FD++)
        if (fcntl(FD, F_GETFD) == -1)
            open("/dev/null", O_RDWR);      // the lowest free number: FD itself
}

// Points standard output at /dev/null for the whole run: the program has
// nothing to say there, and without a display SDL's text-mode fallback
// drivers would draw on it. Standard error stays the libraries' own. The
// streams are all open by now, so /dev/null gets a number of its own.
void MUTESTANDARDOUTPUT()
{
    int NUL = open("/dev/null", O_WRONLY);
    dup2(NUL, STDOUT_FILENO);
    close(NUL);
}

// Whether SDL's video driver is one it falls back to when no display
// answers: text-mode drivers that draw in the terminal, or SDL2's offscreen
// driver under sdl12-compat.
bool FALLBACKDRIVER(const char *DRIVER)
{
    static const char *const FALLBACKS[] = {"caca", "aalib", "offscreen"};
    for (const char *NAME : FALLBACKS)
        if (std::strcmp(DRIVER, NAME) == 0)
            return true;
    return false;
}

// Starts SDL video on a display that can show a window, or ends the
// program with a message that says why there is none.
void STARTVIDEO()
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        EXITWITHERROR("no display to open a window on: %s", SDL_GetError());
    char DRIVER[32] = "";
    SDL_VideoDriverName(DRIVER, sizeof DRIVER);
    if (std::strcmp(DRIVER, "dummy") == 0)
        EXITWITHERROR("SDL's 'dummy' video driver, chosen in SDL_VIDEODRIVER, shows no window");
    if (FALLBACKDRIVER(DRIVER)) {
        SDL_Quit();     // first: a text-mode driver gives the terminal its settings back
        EXITWITHERROR("no display to open a window on (SDL fell back to its '%s' video driver)", DRIVER);
    }
}

}  // namespace

Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO)
{
    Uint32 FLAGS = SDL_OPENGL | SDL_RESIZABLE | SDL_HWPALETTE | SDL_DOUBLEBUF;
    FLAGS |= INFO->hw_available ? SDL_HWSURFACE : SDL_SWSURFACE;
    if (INFO->blit_hw)
        FLAGS |= SDL_HWACCEL;
    return FLAGS;
}

void OPENWINDOW()
{
    FILLCLOSEDSTREAMS();
    MUTESTANDARDOUTPUT();
    STARTVIDEO();

    const SDL_VideoInfo *INFO = SDL_GetVideoInfo();
    if (INFO == nullptr)
        EXITWITHERROR("cannot query the video hardware: %s", SDL_GetError());
    VIDEOFLAGS = VIDEOMODEFLAGS(INFO);

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);    // each swap waits for the display

    SDL_WM_SetCaption("Duruv", nullptr);
    SURFACE = SDL_SetVideoMode(SCREENWIDTH, SCREENHEIGHT, BITSPERPIXEL, VIDEOFLAGS);
    if (SURFACE == nullptr)
        EXITWITHERROR("the display offers no OpenGL window (GLX): %s", SDL_GetError());
}

void SETVIDEOMODE(int WIDTH, int HEIGHT)
{
    SURFACE = SDL_SetVideoMode(WIDTH, HEIGHT, BITSPERPIXEL, VIDEOFLAGS);
    if (SURFACE == nullptr)
        EXITWITHERROR("cannot set the OpenGL window to %d x %d: %s", WIDTH, HEIGHT, SDL_GetError());
}
