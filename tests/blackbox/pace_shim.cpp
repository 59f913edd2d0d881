// Preloaded into the real program by pace_test.py: passes every call on to
// SDL and records what paces the frames. At exit it writes to the file named
// by DURUV_PACE_LOG the swap interval asked for before the first video mode
// (-1 when none was), the number of swaps, and the seconds from the first
// swap to the last.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>

namespace {

int ASKED = -1, ASKEDBEFOREMODE = -2;   // -2: no video mode yet
long SWAPS = 0;
double FIRSTSWAP, LASTSWAP;

template <typename F> F Next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

[[gnu::destructor]] void Report()
{
    if (FILE *f = std::fopen(std::getenv("DURUV_PACE_LOG"), "w")) {
        std::fprintf(f, "%d %ld %.6f\n", ASKEDBEFOREMODE, SWAPS, LASTSWAP - FIRSTSWAP);
        std::fclose(f);
    }
}

}  // namespace

extern "C" int SDL_GL_SetAttribute(SDL_GLattr attr, int value)
{
    if (attr == SDL_GL_SWAP_CONTROL)
        ASKED = value;
    return Next<int (*)(SDL_GLattr, int)>("SDL_GL_SetAttribute")(attr, value);
}

extern "C" SDL_Surface *SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    if (ASKEDBEFOREMODE == -2)
        ASKEDBEFOREMODE = ASKED;
    return Next<SDL_Surface *(*)(int, int, int, Uint32)>("SDL_SetVideoMode")(width, height, bpp, flags);
}

extern "C" void SDL_GL_SwapBuffers()
{
    Next<void (*)()>("SDL_GL_SwapBuffers")();
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    LASTSWAP = t.tv_sec + t.tv_nsec * 1e-9;
    if (SWAPS++ == 0)
        FIRSTSWAP = LASTSWAP;
}
