/* SDL_SetVideoMode as a desktop's SDL 1.2 answers it when it can make no
   OpenGL context: NULL, with the reason in SDL_GetError. Emscripten's
   returns the screen whether or not the browser gave it WebGL, and the first
   OpenGL call would then fail with no word to the user; its SDL_SetError
   keeps no reason. The linker sends the program's calls of both here
   (--wrap), and these on to Emscripten's. */
#include <SDL.h>
#include <emscripten/html5.h>

SDL_Surface *__real_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags);
char *__real_SDL_GetError(void);

static const char *reason = NULL;

SDL_Surface *__wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    SDL_Surface *screen = __real_SDL_SetVideoMode(width, height, bpp, flags);
    if (screen != NULL && (flags & SDL_OPENGL) && emscripten_webgl_get_current_context() == 0) {
        reason = "the browser gives this page no WebGL";
        return NULL;
    }
    return screen;
}

char *__wrap_SDL_GetError(void)
{
    return reason != NULL ? (char *)reason : __real_SDL_GetError();
}
