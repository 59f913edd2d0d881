// Preloaded into the real program by valgrind_test.py to show that the
// suppressions hide nothing of the program's own: the first buffer swap,
// called from the program's frame, allocates a block and loses it.
#include <cstdlib>
#include <dlfcn.h>

namespace {

void *volatile LOST;

}  // namespace

extern "C" void SDL_GL_SwapBuffers()
{
    if (LOST == nullptr) {
        LOST = std::malloc(64);
        LOST = reinterpret_cast<void *>(1);
    }
    reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"))();
}
