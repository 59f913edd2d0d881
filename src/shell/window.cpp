// Start-up of SDL video and the OpenGL window. The program needs none of
// its standard streams, but the libraries under it may write to them, so
// start-up makes sure they never share a number with another descriptor.
#include "shell/window.h"

#include "common/exits.h"
#include "common/scene.h"
#include "common/state.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr int STREAMS[] = {STDOUT_FILENO, STDERR_FILENO};
int SAVED[] = {-1, -1};     // each stream's own descriptor while SDL starts
int HELD[] = {-1, -1};      // what SDL writes to each stream meanwhile

// Points each of standard input, output and error that is closed at
// /dev/null. Otherwise a descriptor opened later, such as the connection to
// the X server, would take its number, and whatever a library writes to
// that stream would go into it.
void OPENSTANDARDSTREAMS()
{
    for (int FD = STDIN_FILENO; FD <= STDERR_FILENO; FD++)
        if (fcntl(FD, F_GETFD) == -1)
            open("/dev/null", O_RDWR);      // the lowest free number: FD itself
}

// Points standard output and error at files in memory while SDL starts:
// without a display, SDL's fallback drivers write terminal codes to
// standard output, or complain on standard error about the desktop session.
// A stream whose own descriptor cannot be kept stays as it is.
void HOLDOUTPUT()
{
    std::fflush(stdout);
    std::fflush(stderr);
    for (int S = 0; S < 2; S++) {
        SAVED[S] = fcntl(STREAMS[S], F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        HELD[S] = memfd_create("duruv-start", MFD_CLOEXEC);
        if (HELD[S] < 0)
            HELD[S] = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (SAVED[S] < 0 || HELD[S] < 0 || dup2(HELD[S], STREAMS[S]) < 0) {
            if (SAVED[S] >= 0)
                close(SAVED[S]);
            if (HELD[S] >= 0)
                close(HELD[S]);
            SAVED[S] = HELD[S] = -1;
        }
    }
}

// Writes what the file in memory HELD holds to FD; a write that fails, to a
// full disk or a pipe nobody reads, ends the copy without a signal.
void COPYHELD(int HELD, int FD)
{
    struct sigaction IGNORE = {}, PREVIOUS;
    IGNORE.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &IGNORE, &PREVIOUS);
    char BUFFER[4096];
    off_t OFFSET = 0;
    ssize_t COUNT;
    while ((COUNT = pread(HELD, BUFFER, sizeof BUFFER, OFFSET)) > 0 &&
           write(FD, BUFFER, COUNT) == COUNT)
        OFFSET += COUNT;
    sigaction(SIGPIPE, &PREVIOUS, nullptr);
}

// Gives standard output and error their own descriptors back; what SDL
// wrote to them meanwhile follows when SHOW is true and is dropped otherwise.
// The stream's number was held by the program's own copy all the while, so
// nothing else can have taken it.
void RELEASEOUTPUT(bool SHOW)
{
    std::fflush(stdout);
    std::fflush(stderr);
    for (int S = 0; S < 2; S++) {
        if (SAVED[S] < 0)
            continue;
        if (dup2(SAVED[S], STREAMS[S]) >= 0 && SHOW)
            COPYHELD(HELD[S], STREAMS[S]);
        close(SAVED[S]);
        close(HELD[S]);
        SAVED[S] = HELD[S] = -1;
    }
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
    HOLDOUTPUT();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        RELEASEOUTPUT(false);
        EXITWITHERROR("no display to open a window on: %s", SDL_GetError());
    }
    char DRIVER[32] = "";
    SDL_VideoDriverName(DRIVER, sizeof DRIVER);
    bool DUMMY = std::strcmp(DRIVER, "dummy") == 0;
    bool FALLBACK = FALLBACKDRIVER(DRIVER);
    if (DUMMY || FALLBACK)
        SDL_Quit();         // with the output still held: these drivers write on shut-down too
    RELEASEOUTPUT(!DUMMY && !FALLBACK);
    if (DUMMY)
        EXITWITHERROR("SDL's 'dummy' video driver, chosen in SDL_VIDEODRIVER, shows no window");
    if (FALLBACK)
        EXITWITHERROR("no display to open a window on (SDL fell back to its '%s' video driver)", DRIVER);
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
    OPENSTANDARDSTREAMS();
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
