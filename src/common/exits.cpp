#include "common/exits.h"

#include <SDL.h>

#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// Writes "Duruv: ", PREFIX, the formatted reason and a newline on standard
// error. The process is about to end: a message to a closed stream or to a
// pipe that nobody reads is lost, rather than ending it by a signal.
[[gnu::format(printf, 2, 0)]] void REPORT(const char *PREFIX, const char *FORMAT, std::va_list ARGS)
{
    std::signal(SIGPIPE, SIG_IGN);
    std::fprintf(stderr, "Duruv: %s", PREFIX);
    std::vfprintf(stderr, FORMAT, ARGS);
    std::fputc('\n', stderr);
}

}  // namespace

void TERMINATEAPPLICATION()
{
    SDL_Quit();
    std::exit(0);
}

void EXITWITHERROR(const char *FORMAT, ...)
{
    std::va_list ARGS;
    va_start(ARGS, FORMAT);
    REPORT("", FORMAT, ARGS);
    va_end(ARGS);
    SDL_Quit();
    std::exit(1);
}

void PROGRAMERROR(const char *FORMAT, ...)
{
    std::va_list ARGS;
    va_start(ARGS, FORMAT);
    REPORT("program error: ", FORMAT, ARGS);
    va_end(ARGS);
    std::abort();
}
