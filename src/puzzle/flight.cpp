// The flying disk rises straight up to a fixed altitude, travels sideways
// until it is above the target peg and drops onto the target stack. Before
// every step the event pump draws one frame, so the speed is per frame.
#include "puzzle/flight.h"

#include "common/scene.h"
#include "common/state.h"
#include "puzzle/stacks.h"
#include "shell/events.h"

void ANIMATEFLY(int INDEX, int F, int T)
{
    float HEIGHT = FLIGHTALTITUDE;

    FLYINGINDEX = INDEX;
    FLYPOSITION = F;
    FLYHEIGHT = RESTHEIGHT(DISKCOUNT(F));

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

    HEIGHT = RESTHEIGHT(DISKCOUNT(T));
    while (FLYHEIGHT > HEIGHT) {
        DOEVENTS();
        FLYHEIGHT = FLYHEIGHT - ADD;
    }

    FLYINGINDEX = 0;
}
