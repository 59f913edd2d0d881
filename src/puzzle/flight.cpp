// The flying disk rises straight up to a fixed altitude, travels sideways
// until it is above the target peg and drops onto the target stack. Before
// every step the event pump draws one frame, so the speed is per frame.
#include "puzzle/flight.h"

#include "common/scene.h"
#include "common/state.h"
#include "puzzle/stacks.h"
#include "shell/events.h"

// Plays the move of disk INDEX from peg F to peg T. The disk is already off
// peg F and not yet on peg T, so their counts give take-off and landing.
void ANIMATEFLY(int INDEX, int F, int T)
{
    float HEIGHT = 10.1f;   // flight altitude: 1.0 above a peg's cap at 9.1

    FLYINGINDEX = INDEX;
    FLYPOSITION = F;
    FLYHEIGHT = DISKCOUNT(F) * DISKPITCH + DISTDISKS;

    while (FLYHEIGHT < HEIGHT) {
        DOEVENTS();
        FLYHEIGHT = FLYHEIGHT + ADD;
    }
    FLYHEIGHT = HEIGHT;

    if (F < T) {
        while (FLYPOSITION < T) {
            DOEVENTS();
            FLYPOSITION = FLYPOSITION + ADD / BARDIST;
        }
    } else {
        while (FLYPOSITION > T) {
            DOEVENTS();
            FLYPOSITION = FLYPOSITION - ADD / BARDIST;
        }
    }
    FLYPOSITION = T;

    HEIGHT = DISKCOUNT(T) * DISKPITCH + DISTDISKS;
    while (FLYHEIGHT > HEIGHT) {
        DOEVENTS();
        FLYHEIGHT = FLYHEIGHT - ADD;
    }

    FLYINGINDEX = 0;
}
