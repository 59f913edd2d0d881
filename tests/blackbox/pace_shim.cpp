// Preloaded into the real program by pace_test.py: passes every buffer swap
// on to SDL and counts them. At exit it writes to the file named by
// DURUV_PACE_LOG the number of swaps and the seconds from the first to the
// last.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>

namespace {

long SWAPS = 0;
double FIRSTSWAP, LASTSWAP;

[[gnu::destructor]] void Report()
{
    if (FILE *f = std::fopen(std::getenv("DURUV_PACE_LOG"), "w")) {
        std::fprintf(f, "%ld %.6f\n", SWAPS, LASTSWAP - FIRSTSWAP);
        std::fclose(f);
    }
}

}  // namespace

extern "C" void SDL_GL_SwapBuffers()
{
    reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"))();
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    LASTSWAP = t.tv_sec + t.tv_nsec * 1e-9;
    if (SWAPS++ == 0)
        FIRSTSWAP = LASTSWAP;
}
