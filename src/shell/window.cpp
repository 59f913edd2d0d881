// The start-up of SDL video and the OpenGL window.
#include "shell/window.h"

#include "common/exits.h"
#include "common/scene.h"
#include "common/windowstate.h"
#include "platform/platform.h"

#include <cstring>

namespace {

int DESKTOPWIDTH, DESKTOPHEIGHT, DESKTOPBPP;    // the display's mode before the first of ours
bool FULLSCREENMODE = false;            // full screen by a mode of its own
int WINDOWWIDTH, WINDOWHEIGHT;          // the window's size meanwhile

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

// Sets a video mode, or ends the program with status 1 and SDL's reason:
// for the first, that the display offers no OpenGL window at all.
void SETVIDEOMODE(int WIDTH, int HEIGHT, int BPP, Uint32 FLAGS)
{
    const bool FIRST = SURFACE == nullptr;
    SURFACE = SDL_SetVideoMode(WIDTH, HEIGHT, BPP, FLAGS);
    if (SURFACE != nullptr)
        return;
    if (FIRST)
        EXITWITHERROR("the display offers no OpenGL window (%s): %s%s", OPENGLBINDING, SDL_GetError(),
                      OPENGLADVICE);
    EXITWITHERROR("cannot set the OpenGL window to %d x %d: %s", WIDTH, HEIGHT, SDL_GetError());
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
    STARTVIDEO();

    const SDL_VideoInfo *INFO = SDL_GetVideoInfo();
    if (INFO == nullptr)
        EXITWITHERROR("cannot query the video hardware: %s", SDL_GetError());
    VIDEOFLAGS = VIDEOMODEFLAGS(INFO);
    DESKTOPWIDTH = INFO->current_w;
    DESKTOPHEIGHT = INFO->current_h;
    DESKTOPBPP = INFO->vfmt->BitsPerPixel;

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);    // each swap waits for the display

    SDL_WM_SetCaption("Duruv", nullptr);
    SETVIDEOMODE(DISPLAYPIXELS(SCREENWIDTH), DISPLAYPIXELS(SCREENHEIGHT), BITSPERPIXEL, VIDEOFLAGS);
}

void RESIZEVIDEOMODE(int WIDTH, int HEIGHT)
{
    SETVIDEOMODE(WIDTH, HEIGHT, BITSPERPIXEL, VIDEOFLAGS);
}

void TOGGLEFULLSCREENMODE()
{
    FULLSCREENMODE = !FULLSCREENMODE;
    if (!FULLSCREENMODE) {
        RESIZEVIDEOMODE(WINDOWWIDTH, WINDOWHEIGHT);
        return;
    }
    WINDOWWIDTH = SURFACE->w;
    WINDOWHEIGHT = SURFACE->h;
    // The display's own mode, so that the display keeps it.
    SETVIDEOMODE(DESKTOPWIDTH, DESKTOPHEIGHT, DESKTOPBPP, VIDEOFLAGS | SDL_FULLSCREEN);
}
