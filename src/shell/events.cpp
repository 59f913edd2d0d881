// The event pump and the keyboard controls. Escape and F1 act once per
// press; the view keys act on every frame for as long as they are held.
#include "shell/events.h"

#include "common/exits.h"
#include "common/state.h"
#include "common/windowstate.h"
#include "render/frame.h"
#include "render/glstate.h"
#include "shell/window.h"

namespace {

// The GL state and the projection again for a window of WIDTH x HEIGHT,
// after a new video mode: a new mode may bring a new OpenGL context.
void AFTERNEWMODE(int WIDTH, int HEIGHT)
{
    INITGL();
    RESIZEWINDOW(WIDTH, HEIGHT);
}

// Acts on a key that works once per press: Escape quits, F1 toggles full screen.
void HANDLEKEYPRESS(const SDL_keysym *KEYSYM)
{
    switch (KEYSYM->sym) {
    case SDLK_ESCAPE:
        TERMINATEAPPLICATION();     // does not return
    case SDLK_F1:
        if (SDL_WM_ToggleFullScreen(SURFACE) == 0) {    // cannot in place: a new mode, as a resize
            TOGGLEFULLSCREENMODE();
            AFTERNEWMODE(SURFACE->w, SURFACE->h);
        }
        break;
    default:
        break;
    }
}

// Turns and moves the view by one step for every view key held now.
void APPLYHELDKEYS()
{
    KEYSTATE = SDL_GetKeyState(nullptr);
    if (KEYSTATE[SDLK_DOWN])
        ROTDX = ROTDX + 1.0;
    if (KEYSTATE[SDLK_UP])
        ROTDX = ROTDX - 1.0;
    if (KEYSTATE[SDLK_LEFT])
        ROTDY = ROTDY + 1.0;
    if (KEYSTATE[SDLK_RIGHT])
        ROTDY = ROTDY - 1.0;
    if (KEYSTATE[SDLK_a])
        TR = TR - 0.5;
    if (KEYSTATE[SDLK_q])
        TR = TR + 0.5;
}

}  // namespace

void DOEVENTS()
{
    while (SDL_PollEvent(&EVENT) == 1) {
        switch (EVENT.type) {
        case SDL_QUIT:
            TERMINATEAPPLICATION();     // does not return
        case SDL_KEYDOWN:
            HANDLEKEYPRESS(&EVENT.key.keysym);
            break;
        case SDL_VIDEORESIZE:
            RESIZEVIDEOMODE(EVENT.resize.w, EVENT.resize.h);
            AFTERNEWMODE(EVENT.resize.w, EVENT.resize.h);
            break;
        default:
            break;
        }
    }
    APPLYHELDKEYS();
    DRAWGLSCENE();
}
