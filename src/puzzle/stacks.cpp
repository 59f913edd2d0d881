// The peg stacks: for each peg a row of 21 bytes, [0] the count and
// [1..count] the disk numbers from the bottom up.
#include "puzzle/stacks.h"

#include "common/exits.h"
#include "common/scene.h"

namespace {

constexpr int PEGS = 3;
constexpr int CAPACITY = 20;        // positions 1 to 20 of a row

unsigned char DISKDATA[PEGS][CAPACITY + 1];

// Stops the program unless P names a peg.
void CHECKPEG(int P)
{
    if (P < 1 || P > PEGS)
        PROGRAMERROR("no such peg (peg %d, limit %d)", P, PEGS);
}

}  // namespace

void STARTINGTOWER()
{
    for (int K = 1; K <= N; K++)
        SETDISKAT(1, K, N - K + 1);
    SETDISKCOUNT(1, N);
    SETDISKCOUNT(2, 0);
    SETDISKCOUNT(3, 0);
}

int DISKCOUNT(int P)
{
    CHECKPEG(P);
    return DISKDATA[P - 1][0];
}

void SETDISKCOUNT(int P, int COUNT)
{
    CHECKPEG(P);
    if (COUNT < 0 || COUNT > CAPACITY)
        PROGRAMERROR("disk count %d out of range 0..%d", COUNT, CAPACITY);
    DISKDATA[P - 1][0] = static_cast<unsigned char>(COUNT);
}

int DISKAT(int P, int K)
{
    CHECKPEG(P);
    if (K < 1 || K > DISKDATA[P - 1][0])
        PROGRAMERROR("position %d outside the live positions 1..%d",
                     K, DISKDATA[P - 1][0]);
    return DISKDATA[P - 1][K];
}

void SETDISKAT(int P, int K, int INDEX)
{
    CHECKPEG(P);
    if (K < 1 || K > CAPACITY)
        PROGRAMERROR("position %d out of range 1..%d", K, CAPACITY);
    if (INDEX < 0 || INDEX > 255)
        PROGRAMERROR("disk number %d out of range 0..255", INDEX);
    DISKDATA[P - 1][K] = static_cast<unsigned char>(INDEX);
}
