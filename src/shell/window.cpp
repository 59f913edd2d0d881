// Start-up of SDL video and the OpenGL window.
#include "shell/window.h"

#include "common/exits.h"
#include "common/scene.h"
#include "common/state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int SAVEDOUT = -1;      // standard output and error while they are muted
int SAVEDERR = -1;

// Points standard output and standard error at /dev/null.
void MUTEOUTPUT()
{
    std::fflush(stdout);
    std::fflush(stderr);
    int DEVNULL = open("/dev/null", O_WRONLY);
    if (DEVNULL < 0)
        return;
    SAVEDOUT = dup(STDOUT_FILENO);
    SAVEDERR = dup(STDERR_FILENO);
    dup2(DEVNULL, STDOUT_FILENO);
    dup2(DEVNULL, STDERR_FILENO);
    close(DEVNULL);
}

// Gives standard output and standard error back.
void UNMUTEOUTPUT()
{
    if (SAVEDOUT >= 0)
        dup2(SAVEDOUT, STDOUT_FILENO);
    if (SAVEDERR >= 0)
        dup2(SAVEDERR, STDERR_FILENO);
    close(SAVEDOUT);
    close(SAVEDERR);
    SAVEDOUT = SAVEDERR = -1;
}

// The name of SDL's video driver if it shows no window, as the ones it
// falls back to when there is no display; null for any other driver.
const char *NOWINDOWDRIVER()
{
    static const char *const DRIVERS[] = {"dummy", "offscreen", "caca", "aalib"};
    char DRIVER[32] = "";
    SDL_VideoDriverName(DRIVER, sizeof DRIVER);
    for (const char *NAME : DRIVERS)
        if (std::strcmp(DRIVER, NAME) == 0)
            return NAME;
    return nullptr;
}

// Starts SDL video with the output muted: without a display, SDL's fallback
// drivers write terminal codes to standard output, or complain on standard
// error about the desktop session, on start and on shut-down. A driver that
// shows no window counts as a failure.
int STARTVIDEO()
{
    MUTEOUTPUT();
    int RESULT = SDL_Init(SDL_INIT_VIDEO);
    const char *DRIVER = RESULT == 0 ? NOWINDOWDRIVER() : nullptr;
    if (DRIVER != nullptr) {
        SDL_Quit();
        SDL_SetError("no display: SDL fell back to its '%s' video driver, which shows no window", DRIVER);
        RESULT = -1;
    }
    UNMUTEOUTPUT();
    return RESULT;
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
    if (STARTVIDEO() < 0)
        EXITWITHERROR("cannot start SDL video: %s", SDL_GetError());

    const SDL_VideoInfo *INFO = SDL_GetVideoInfo();
    if (INFO == nullptr)
        EXITWITHERROR("cannot query the video hardware: %s", SDL_GetError());
    VIDEOFLAGS = VIDEOMODEFLAGS(INFO);

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    SDL_WM_SetCaption("Duruv", nullptr);
    SETVIDEOMODE(SCREENWIDTH, SCREENHEIGHT);
}

void SETVIDEOMODE(int WIDTH, int HEIGHT)
{
    SURFACE = SDL_SetVideoMode(WIDTH, HEIGHT, BITSPERPIXEL, VIDEOFLAGS);
    if (SURFACE == nullptr)
        EXITWITHERROR("cannot open the OpenGL window: %s", SDL_GetError());
}
