// The standard streams and the word to the user on POSIX systems, the
// browser's among them.
#include "platform/platform.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

void PREPARESTANDARDSTREAMS()
{
    // A closed stream's number would go to the next descriptor opened, such
    // as the connection to the X server, and what a library writes to the
    // stream into it; so each closed one is pointed at /dev/null first.
    for (int FD = STDIN_FILENO; FD <= STDERR_FILENO; FD++)
        if (fcntl(FD, F_GETFD) == -1)
            open("/dev/null", O_RDWR);      // the lowest free number: FD itself
    int NUL = open("/dev/null", O_WRONLY);  // a number of its own: all three are open
    dup2(NUL, STDOUT_FILENO);
    close(NUL);
    // What a library writes to standard error on a pipe whose reader has
    // gone (a desktop's log collector that restarted) is lost, rather than
    // ending the program by a signal.
    std::signal(SIGPIPE, SIG_IGN);
}

void TELLUSER(const char *LINE)
{
    std::fprintf(stderr, "%s\n", LINE);
}
