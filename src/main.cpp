// Duruv: plays the solution of the Tower of Hanoi for seven disks as a lit,
// animated 3D scene that the viewer can turn and zoom while it plays.
#include "common/scene.h"
#include "common/state.h"
#include "common/windowstate.h"
#include "platform/platform.h"
#include "puzzle/solver.h"
#include "puzzle/stacks.h"
#include "render/glstate.h"
#include "shell/events.h"
#include "shell/window.h"

// Sets up the tower and the window, plays the solution once, then keeps
// the finished scene on screen until the user quits; the process ends only
// inside DOEVENTS, through TERMINATEAPPLICATION.
int main(int, char *[])     // the form SDL needs on Windows
{
    PREPARESTANDARDSTREAMS();
    STARTINGTOWER();
    FLYINGINDEX = 0;
    TR = 0.0;

    OPENWINDOW();
    INITGL();
    RESIZEWINDOW(SURFACE->w, SURFACE->h);

    HANOI(1, 2, N);

    DONE = false;
    while (!DONE)
        DOEVENTS();
    return 0;
}
