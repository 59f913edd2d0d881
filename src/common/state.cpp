// Storage of the shared module-level state; all of it starts at zero.
#include "common/state.h"
#include "common/windowstate.h"

int FLYINGINDEX;
float FLYPOSITION;
float FLYHEIGHT;

double TR;
double ROTDX;
double ROTDY;
double ROTDZ;

GLUquadric *Q;

SDL_Surface *SURFACE;
Uint32 VIDEOFLAGS;
SDL_Event EVENT;
Uint8 *KEYSTATE;
bool DONE;
