/* SDL 1.2 as Emscripten offers it, with the two names its header leaves out:
   SDL_GetKeyState, which its library has, and SDL_GL_SWAP_CONTROL, which the
   browser's pace makes moot (every swap waits for an animation frame). The
   build includes this before every source. */
#pragma once
#include <SDL.h>

#ifdef __cplusplus
extern "C" {
#endif
extern DECLSPEC Uint8 *SDLCALL SDL_GetKeyState(int *numkeys);
#ifdef __cplusplus
}
#endif

static const SDL_GLattr SDL_GL_SWAP_CONTROL = (SDL_GLattr)16;     /* its number in SDL 1.2 */
