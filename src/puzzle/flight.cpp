// The flying disk rises straight up to a fixed altitude, travels sideways
// until it is above the target peg and drops onto the target stack. Before
// every step the event pump draws one frame, so the speed is per frame.
#include "puzzle/flight.h"

#include "common/scene.h"
#include "common/state.h"
#include "puzzle/stacks.h"
#include "shell/events.h"

// The highest point of a peg: the tube of a full set with its cap, a sphere
// of the tube's radius, on top (9.1).
constexpr double PEGTOP = TUBEHEIGHT(N) + BARRADIUS;

// Height of a flying disk's underside while it travels sideways: 1.0 above
// every peg (10.1).
constexpr float FLIGHTALTITUDE = PEGTOP + 1.0;

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
