// The event pump with the real SDL event queue and a real window, linked
// with stand-ins for the GL set-up and the frame that log their calls, for
// SDL's key state, which holds the keys each test sets, and for SDL's
// framebuffer requests and video mode, which pass on what they record.
#include "common/state.h"
#include "common/windowstate.h"
#include "shell/events.h"
#include "shell/window.h"
#include "design.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace design;

namespace {

std::string LOG;            // "I" per INITGL, "R<w>x<h>" per RESIZEWINDOW, "D" per frame
int EXITINSTANDIN = 0;      // when set, a frame ends the process with this status, INITGL with one more
Uint8 KEYS[SDLK_LAST];      // the keys held, as the stand-in SDL_GetKeyState gives them
std::vector<std::pair<SDL_GLattr, int>> ASKED;  // framebuffer requests before the first video mode
bool MODESET = false;

// Queues an event: a key press of KEY, or a resize to W x H.
void Push(Uint8 TYPE, SDLKey KEY = SDLK_UNKNOWN, int W = 0, int H = 0)
{
    SDL_Event e{};
    e.type = TYPE;
    if (TYPE == SDL_VIDEORESIZE) {
        e.resize.w = W;
        e.resize.h = H;
    } else {
        e.key.keysym.sym = KEY;
    }
    SDL_PushEvent(&e);
}

template <typename F> F Next(const char *NAME)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, NAME));
}

class Shell : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OPENWINDOW(); }
    static void TearDownTestSuite() { SDL_Quit(); }
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        DOEVENTS();             // take what the window system sent at start
        std::fill(std::begin(KEYS), std::end(KEYS), 0);
        LOG.clear();
        TR = ROTDX = ROTDY = ROTDZ = 0.0;
    }
};

}  // namespace

void INITGL() { LOG += "I"; if (EXITINSTANDIN) std::exit(EXITINSTANDIN + 1); }
bool RESIZEWINDOW(int WIDTH, int HEIGHT)
{
    LOG += "R" + std::to_string(WIDTH) + "x" + std::to_string(HEIGHT);
    return true;
}
Uint8 *SDL_GetKeyState(int *numkeys)
{
    if (numkeys != nullptr)
        *numkeys = SDLK_LAST;
    return KEYS;
}
void DRAWGLSCENE() { LOG += "D"; if (EXITINSTANDIN) std::exit(EXITINSTANDIN); }
extern "C" int SDL_GL_SetAttribute(SDL_GLattr ATTR, int VALUE)
{
    if (!MODESET)
        ASKED.emplace_back(ATTR, VALUE);
    return Next<int (*)(SDL_GLattr, int)>("SDL_GL_SetAttribute")(ATTR, VALUE);
}
extern "C" SDL_Surface *SDL_SetVideoMode(int W, int H, int BPP, Uint32 FLAGS)
{
    MODESET = true;
    return Next<SDL_Surface *(*)(int, int, int, Uint32)>("SDL_SetVideoMode")(W, H, BPP, FLAGS);
}

TEST(VideoFlags, FollowTheHardware)
{
    const Uint32 ALWAYS = SDL_OPENGL | SDL_RESIZABLE | SDL_HWPALETTE | SDL_DOUBLEBUF;
    struct Case {
        int hw, blit;
        Uint32 flags;
    } cases[] = {{0, 0, ALWAYS}, {1, 0, ALWAYS | SDL_HWSURFACE}, {0, 1, ALWAYS | SDL_HWACCEL},
                 {1, 1, ALWAYS | SDL_HWSURFACE | SDL_HWACCEL}};
    for (const Case &c : cases) {
        SDL_VideoInfo info{};
        info.hw_available = c.hw;
        info.blit_hw = c.blit;
        EXPECT_EQ(VIDEOMODEFLAGS(&info), c.flags) << c.hw << c.blit;
    }
}

// The window asks for a 5-5-5 colour buffer, a 16-bit depth buffer, double
// buffering and swaps that wait for the display, before its video mode.
TEST_F(Shell, FramebufferIsAskedForBeforeTheVideoMode)
{
    const std::vector<std::pair<SDL_GLattr, int>> wanted = {
        {SDL_GL_RED_SIZE, 5}, {SDL_GL_GREEN_SIZE, 5}, {SDL_GL_BLUE_SIZE, 5}, {SDL_GL_DEPTH_SIZE, 16},
        {SDL_GL_DOUBLEBUFFER, 1}, {SDL_GL_SWAP_CONTROL, 1}};
    EXPECT_EQ(ASKED, wanted);
}

// Every pending event is handled before the one frame; resizes leave the
// view and the flight alone.
TEST_F(Shell, AllPendingEventsComeBeforeTheOneFrame)
{
    std::tie(ROTDX, ROTDY, TR, FLYINGINDEX, FLYPOSITION, FLYHEIGHT) = std::tuple(12.0, -7.0, 3.5, 4, 2.5f, FLIGHTALTITUDE);
    Push(SDL_VIDEORESIZE, SDLK_UNKNOWN, 300, 200);
    Push(SDL_KEYDOWN, SDLK_x);
    Push(SDL_VIDEORESIZE, SDLK_UNKNOWN, 500, 400);
    DOEVENTS();
    EXPECT_EQ(LOG, "IR300x200IR500x400D");
    EXPECT_EQ(std::pair(SURFACE->w, SURFACE->h), std::pair(500, 400));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
    EXPECT_EQ(std::tuple(ROTDX, ROTDY, TR, FLYINGINDEX, FLYPOSITION, FLYHEIGHT),
              std::tuple(12.0, -7.0, 3.5, 4, 2.5f, FLIGHTALTITUDE));
}

// Each held key changes its value once a frame, without limit (400 frames of
// Left give 400 degrees, not 40); released, it changes nothing.
TEST_F(Shell, HeldKeysChangeTheViewOncePerFrame)
{
    struct Case {
        std::vector<SDLKey> held;
        int frames;
        double rotdx, rotdy, tr;
    } cases[] = {
        {{SDLK_DOWN}, 5, 1, 0, 0},          {{SDLK_UP}, 5, -1, 0, 0},
        {{SDLK_LEFT}, 5, 0, 1, 0},          {{SDLK_RIGHT}, 5, 0, -1, 0},
        {{SDLK_a}, 5, 0, 0, -0.5},          {{SDLK_q}, 5, 0, 0, 0.5},
        {{SDLK_UP, SDLK_DOWN}, 5, 0, 0, 0}, {{SDLK_LEFT, SDLK_RIGHT}, 5, 0, 0, 0},
        {{SDLK_a, SDLK_q}, 5, 0, 0, 0},     {{SDLK_DOWN, SDLK_LEFT, SDLK_q}, 5, 1, 1, 0.5},
        {{SDLK_z, SDLK_LSHIFT, SDLK_RCTRL, SDLK_F2}, 5, 0, 0, 0},
        {{SDLK_LEFT}, 400, 0, 1, 0},        {{SDLK_DOWN, SDLK_LEFT, SDLK_q}, 50000, 1, 1, 0.5},
    };
    for (const Case &c : cases) {
        TR = ROTDX = ROTDY = 0.0;
        LOG.clear();
        for (SDLKey k : c.held)
            KEYS[k] = 1;
        for (int i = 0; i < c.frames; i++)
            DOEVENTS();
        for (SDLKey k : c.held)
            KEYS[k] = 0;
        DOEVENTS();             // released: no further change
        EXPECT_EQ(std::tuple(ROTDX, ROTDY, TR, ROTDZ), std::tuple(c.frames * c.rotdx, c.frames * c.rotdy,
                                                                   c.frames * c.tr, 0.0))
            << c.held.size() << " keys from " << c.held[0] << ", " << c.frames << " frames";
        EXPECT_EQ(LOG.size(), c.frames + 1u);
    }
}

TEST_F(Shell, ReleasesMouseAndFocusEventsChangeNothing)
{
    SDL_Event e{};
    for (Uint8 type : {SDL_KEYUP, SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
                       SDL_ACTIVEEVENT, SDL_VIDEOEXPOSE, SDL_USEREVENT}) {
        e.type = type;
        if (type == SDL_KEYUP)
            e.key.keysym.sym = SDLK_ESCAPE;
        SDL_PushEvent(&e);
    }
    DOEVENTS();
    EXPECT_EQ(LOG, "D");
    EXPECT_EQ(std::tuple(ROTDX, ROTDY, TR), std::tuple(0.0, 0.0, 0.0));
}

// Escape and the quit event end the process with status 0 at once: the
// stand-ins exit with another status if the call went on to a resize or
// a frame.
TEST_F(Shell, EscapeAndQuitEndAtOnceWithStatusZero)
{
    EXITINSTANDIN = 3;
    for (Uint8 first : {SDL_KEYDOWN, SDL_QUIT})
        EXPECT_EXIT({ Push(first, SDLK_ESCAPE); Push(SDL_VIDEORESIZE, SDLK_UNKNOWN, 320, 240); DOEVENTS(); },
                    ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT({ Push(SDL_KEYDOWN, SDLK_F1); Push(SDL_KEYDOWN, SDLK_ESCAPE); DOEVENTS(); },
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(DOEVENTS(), ::testing::ExitedWithCode(3), "") << "the stand-in frame exits with 3";
    EXITINSTANDIN = 0;
}
