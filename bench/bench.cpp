// Measures what a frame of Duruv costs on this machine: the whole solution
// through the real event pump against a floor of frames that only clear
// and swap, start-up time, peak memory and heap allocations per frame.
// It links the program's own sources in place of main, and wraps two
// library calls at link time: the buffer swap, to time each frame, and
// the C allocator, to count allocations.
#include "common/scene.h"
#include "common/state.h"
#include "puzzle/solver.h"
#include "puzzle/stacks.h"
#include "render/glstate.h"
#include "shell/window.h"

#include <GL/gl.h>
#include <dlfcn.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);

namespace {

using Clock = std::chrono::steady_clock;

constexpr int SOLUTIONFRAMES = 5040;
constexpr int RUNS = 5;

std::atomic<long> ALLOCATIONS{0};
std::vector<Clock::time_point> SWAPS;   // reserved up front: no allocation per frame

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Run {
    double wall;        // seconds for all frames
    double slowest;     // seconds of the slowest frame
    long allocations;   // heap allocations by the whole process
};

// What the swaps since START cost: all frames, the slowest, the allocations.
Run Measured(Clock::time_point START, long ALLOCATIONSBEFORE)
{
    Run run{Seconds(START, SWAPS.back()), 0, ALLOCATIONS - ALLOCATIONSBEFORE};
    for (size_t i = 1; i < SWAPS.size(); i++)
        run.slowest = std::max(run.slowest, Seconds(SWAPS[i - 1], SWAPS[i]));
    return run;
}

// Plays the whole solution from the starting tower, one frame per step.
Run Solution()
{
    STARTINGTOWER();
    FLYINGINDEX = 0;
    SWAPS.clear();
    long before = ALLOCATIONS;
    Clock::time_point start = Clock::now();
    HANOI(1, 2, N);
    return Measured(start, before);
}

// The same number of frames that only clear the buffers and swap them.
Run Floor()
{
    SWAPS.clear();
    long before = ALLOCATIONS;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < SOLUTIONFRAMES; i++) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    return Measured(start, before);
}

}  // namespace

// Counting wrappers around the C allocator.
extern "C" void *malloc(size_t SIZE)
{
    ALLOCATIONS.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(SIZE);
}

extern "C" void *calloc(size_t COUNT, size_t SIZE)
{
    ALLOCATIONS.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(COUNT, SIZE);
}

extern "C" void *realloc(void *BLOCK, size_t SIZE)
{
    ALLOCATIONS.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(BLOCK, SIZE);
}

// Swaps through SDL and notes when each frame was done.
void SDL_GL_SwapBuffers()
{
    static void (*REALSWAP)() = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    REALSWAP();
    SWAPS.push_back(Clock::now());
}

int main()
{
    SWAPS.reserve(2 * SOLUTIONFRAMES);
    Clock::time_point start = Clock::now();
    STARTINGTOWER();
    OPENWINDOW();
    INITGL();
    RESIZEWINDOW(SCREENWIDTH, SCREENHEIGHT);
    Run first = Solution();
    double startup = Seconds(start, SWAPS.front());
    long frames = SWAPS.size();

    std::vector<double> solution{first.wall}, floor, slowest{first.slowest}, floorAllocations;
    std::vector<double> allocations{double(first.allocations) / frames};
    for (int i = 1; i < RUNS; i++) {
        Run run = Solution();
        solution.push_back(run.wall);
        slowest.push_back(run.slowest);
        allocations.push_back(double(run.allocations) / frames);
    }
    for (int i = 0; i < RUNS; i++) {
        Run run = Floor();
        floor.push_back(run.wall);
        floorAllocations.push_back(double(run.allocations) / SOLUTIONFRAMES);
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double wall = Median(solution), floorWall = Median(floor);
    std::printf("Duruv frame benchmark, %dx%d window, median of %d runs\n",
                SCREENWIDTH, SCREENHEIGHT, RUNS);
    std::printf("  %-36s %10ld\n", "frames of the solution", frames);
    std::printf("  %-36s %10.3f s  %8.0f fps\n", "whole solution", wall, frames / wall);
    std::printf("  %-36s %10.3f s  %8.0f fps\n", "floor: clear and swap only", floorWall,
                SOLUTIONFRAMES / floorWall);
    std::printf("  %-36s %10.2f\n", "solution / floor", wall / floorWall);
    std::printf("  %-36s %10.2f ms\n", "slowest frame of the solution", 1000 * Median(slowest));
    std::printf("  %-36s %10.1f ms\n", "start-up to first frame", 1000 * startup);
    std::printf("  %-36s %10ld kB\n", "peak resident memory", usage.ru_maxrss);
    std::printf("  %-36s %10.2f\n", "allocations per frame (process)", Median(allocations));
    std::printf("  %-36s %10.2f\n", "allocations per floor frame", Median(floorAllocations));
    std::printf("{\"frames\": %ld, \"solution_s\": %.4f, \"solution_fps\": %.1f, "
                "\"floor_s\": %.4f, \"floor_fps\": %.1f, \"ratio\": %.3f, "
                "\"slowest_frame_ms\": %.3f, \"startup_ms\": %.2f, \"peak_rss_kb\": %ld, "
                "\"allocations_per_frame\": %.3f, \"allocations_per_floor_frame\": %.3f}\n",
                frames, wall, frames / wall, floorWall, SOLUTIONFRAMES / floorWall,
                wall / floorWall, 1000 * Median(slowest), 1000 * startup, usage.ru_maxrss,
                Median(allocations), Median(floorAllocations));
    SDL_Quit();
    return 0;
}
