// Start-up of SDL video and the OpenGL window, and the program's two exits:
// status 0 when the user ends it, status 1 when the window cannot be had.
#include "shell/window.h"

#include "common/scene.h"
#include "common/state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Starts SDL's video subsystem with standard output and standard error
// pointed at /dev/null: when there is no display, SDL falls back to drivers
// that write terminal codes to standard output or probe a desktop session
// and complain on standard error, while the program itself says what went
// wrong in one line.
int STARTVIDEO()
{
    std::fflush(stdout);
    std::fflush(stderr);
    int SAVEDOUT = dup(STDOUT_FILENO);
    int SAVEDERR = dup(STDERR_FILENO);
    int DEVNULL = open("/dev/null", O_WRONLY);
    if (SAVEDOUT < 0 || SAVEDERR < 0 || DEVNULL < 0)
        return SDL_Init(SDL_INIT_VIDEO);
    dup2(DEVNULL, STDOUT_FILENO);
    dup2(DEVNULL, STDERR_FILENO);
    int RESULT = SDL_Init(SDL_INIT_VIDEO);
    char DRIVER[32] = "";
    if (RESULT == 0 && SDL_VideoDriverName(DRIVER, sizeof DRIVER) != nullptr) {
        static const char *const NOWINDOW[] = {"dummy", "offscreen", "caca", "aalib"};
        for (const char *NAME : NOWINDOW) {
            if (std::strcmp(DRIVER, NAME) == 0) {
                SDL_Quit();
                RESULT = -1;
                SDL_SetError("no display: SDL fell back to its '%s' video driver, which shows no window", NAME);
            }
        }
    }
    dup2(SAVEDOUT, STDOUT_FILENO);
    dup2(SAVEDERR, STDERR_FILENO);
    close(SAVEDOUT);
    close(SAVEDERR);
    close(DEVNULL);
    return RESULT;
}

}  // namespace

// The video-mode flags for the hardware SDL reports.
Uint32 VIDEOMODEFLAGS(const SDL_VideoInfo *INFO)
{
    Uint32 FLAGS = SDL_OPENGL | SDL_RESIZABLE | SDL_HWPALETTE | SDL_DOUBLEBUF;
    FLAGS |= INFO->hw_available ? SDL_HWSURFACE : SDL_SWSURFACE;
    if (INFO->blit_hw)
        FLAGS |= SDL_HWACCEL;
    return FLAGS;
}

// Starts SDL video and opens the resizable 640 x 480 OpenGL window "Duruv".
void OPENWINDOW()
{
    if (STARTVIDEO() < 0)
        EXITWITHERROR("cannot start SDL video", SDL_GetError());

    const SDL_VideoInfo *INFO = SDL_GetVideoInfo();
    if (INFO == nullptr)
        EXITWITHERROR("cannot query the video hardware", SDL_GetError());
    VIDEOFLAGS = VIDEOMODEFLAGS(INFO);

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    SDL_WM_SetCaption("Duruv", nullptr);
    SETVIDEOMODE(SCREENWIDTH, SCREENHEIGHT);
}

// Sets the OpenGL video mode at WIDTH x HEIGHT; stops the program if it fails.
void SETVIDEOMODE(int WIDTH, int HEIGHT)
{
    SURFACE = SDL_SetVideoMode(WIDTH, HEIGHT, BITSPERPIXEL, VIDEOFLAGS);
    if (SURFACE == nullptr)
        EXITWITHERROR("cannot open the OpenGL window", SDL_GetError());
}

// Shuts SDL down and ends the process with status 0, wherever it stands.
void TERMINATEAPPLICATION()
{
    SDL_Quit();
    std::exit(0);
}

// Reports WHAT failed and why on standard error, shuts SDL down, status 1.
void EXITWITHERROR(const char *WHAT, const char *WHY)
{
    std::fprintf(stderr, "Duruv: %s: %s\n", WHAT, WHY);
    SDL_Quit();
    std::exit(1);
}
