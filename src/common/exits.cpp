#include "common/exits.h"

#include "platform/platform.h"

#include <SDL.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// Tells the user "Duruv: ", PREFIX and the formatted reason, in one line.
[[gnu::format(printf, 2, 0)]] void REPORT(const char *PREFIX, const char *FORMAT, std::va_list ARGS)
{
    char LINE[512];
    int START = std::snprintf(LINE, sizeof LINE, "Duruv: %s", PREFIX);
    std::vsnprintf(LINE + START, sizeof LINE - START, FORMAT, ARGS);
    TELLUSER(LINE);
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
