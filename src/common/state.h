// Module-level state of the puzzle and the view, shared by the shell, the
// puzzle and the renderer. It lives for the whole run; the peg stacks are
// kept in puzzle/stacks.h, the window's state in common/windowstate.h.
#pragma once

extern int FLYINGINDEX;     // disk in flight, 0 for none
extern float FLYPOSITION;   // place of the flying disk in peg units
extern float FLYHEIGHT;     // height of the flying disk's underside

extern double TR;           // camera distance offset; larger is nearer
extern double ROTDX;        // view angles in degrees
extern double ROTDY;
extern double ROTDZ;
