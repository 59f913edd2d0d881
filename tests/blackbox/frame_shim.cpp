// Preloaded into the native program by the black-box harness: counts each
// buffer swap the program makes through SDL.
#include <GL/glx.h>
#include <dlfcn.h>

#include "frame_count.h"

extern "C" void SDL_GL_SwapBuffers()
{
    reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"))();
    CountFrame(glXGetCurrentDisplay());
}
