// The count lives in the file named by DURUV_FRAMES, which the test maps too.
// It holds four 64-bit numbers: the frames drawn; the frame after which the
// program stops itself (SIGSTOP); and the monotonic times in nanoseconds of
// the first swap and of the last.
#include "frame_count.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct Frames {
    int64_t drawn, stopafter, firstswap, lastswap;
};

volatile Frames *Shared()
{
    static volatile Frames *frames = [] {
        const char *path = std::getenv("DURUV_FRAMES");
        int fd = path ? open(path, O_RDWR) : -1;
        void *map = fd < 0 ? MAP_FAILED : mmap(nullptr, sizeof(Frames), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (map == MAP_FAILED) {
            std::fprintf(stderr, "frame count: cannot map DURUV_FRAMES '%s'\n", path ? path : "");
            std::abort();
        }
        close(fd);
        return static_cast<volatile Frames *>(map);
    }();
    return frames;
}

}  // namespace

void CountFrame(Display *display)
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    volatile Frames *frames = Shared();
    frames->lastswap = t.tv_sec * INT64_C(1000000000) + t.tv_nsec;
    if (frames->drawn == 0)
        frames->firstswap = frames->lastswap;
    if (++frames->drawn == frames->stopafter) {
        if (display)
            XSync(display, False);
        raise(SIGSTOP);
    }
}
