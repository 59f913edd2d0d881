// Preloaded into Wine by the black-box harness: counts each buffer swap of
// the Windows program it runs. The program's SDL is a Windows library out of
// a preloaded library's reach; each of its swaps becomes one glXSwapBuffers
// of Wine's X11 driver, which finds that function through dlsym or through
// glXGetProcAddressARB. So the shim answers those lookups with a swap that
// counts.
#include <GL/glx.h>
#include <cstring>
#include <dlfcn.h>

#include "frame_count.h"

namespace {

using GlxSwap = void (*)(Display *, GLXDrawable);
using ProcLookup = void *(*)(const GLubyte *);

GlxSwap realswap;
ProcLookup realproclookup;

void CountedSwap(Display *display, GLXDrawable drawable)
{
    realswap(display, drawable);
    CountFrame(display);
}

// The counting swap in place of the real one, `found`.
void *Counting(void *found)
{
    realswap = reinterpret_cast<GlxSwap>(found);
    return reinterpret_cast<void *>(CountedSwap);
}

void *CountingProcLookup(const GLubyte *name)
{
    void *found = realproclookup(name);
    return found && std::strcmp(reinterpret_cast<const char *>(name), "glXSwapBuffers") == 0 ? Counting(found) : found;
}

}  // namespace

// dlsym, answering for the swap and for glXGetProcAddressARB.
extern "C" void *dlsym(void *handle, const char *name)
{
    using Lookup = void *(*)(void *, const char *);
    static const Lookup reallookup = reinterpret_cast<Lookup>(dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.34"));
    void *found = reallookup(handle, name);
    if (found && std::strcmp(name, "glXSwapBuffers") == 0)
        return Counting(found);
    if (found && std::strcmp(name, "glXGetProcAddressARB") == 0) {
        realproclookup = reinterpret_cast<ProcLookup>(found);
        return reinterpret_cast<void *>(CountingProcLookup);
    }
    return found;
}
