// The classic recursion: H - 1 disks to the spare peg, the largest to the
// target, the H - 1 disks after it. Each single move is played as a flight.
#include "puzzle/solver.h"

#include "common/exits.h"
#include "puzzle/flight.h"
#include "puzzle/stacks.h"

namespace {

// Stops the program on a call that the recursion can never make.
void CHECKMOVE(int F, int T, int H)
{
    if (F < 1 || F > 3 || T < 1 || T > 3 || F == T)
        PROGRAMERROR("move between pegs %d and %d", F, T);
    if (H < 1 || H > DISKCOUNT(F))
        PROGRAMERROR("move of %d disks from a peg holding %d", H, DISKCOUNT(F));
}

// Takes the top disk off peg F, flies it and puts it on top of peg T.
void MOVEDISK(int F, int T)
{
    int INDEX = DISKAT(F, DISKCOUNT(F));
    int TARGETCOUNT = DISKCOUNT(T);
    if (TARGETCOUNT > 0 && DISKAT(T, TARGETCOUNT) < INDEX)
        PROGRAMERROR("disk %d put on the smaller disk %d", INDEX, DISKAT(T, TARGETCOUNT));
    SETDISKCOUNT(F, DISKCOUNT(F) - 1);
    ANIMATEFLY(INDEX, F, T);
    SETDISKCOUNT(T, DISKCOUNT(T) + 1);
    SETDISKAT(T, DISKCOUNT(T), INDEX);
}

}  // namespace

void HANOI(int F, int T, int H)
{
    CHECKMOVE(F, T, H);
    if (H == 1) {
        MOVEDISK(F, T);
    } else {
        int S = 6 - F - T;      // the spare peg: the peg numbers add up to 6
        HANOI(F, S, H - 1);
        HANOI(F, T, 1);
        HANOI(S, T, H - 1);
    }
}
