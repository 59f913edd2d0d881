// The flight of one disk from peg to peg, one frame per step.
#pragma once

// Plays the move of disk INDEX from peg F to peg T: rise, travel, drop. The
// disk is already off peg F and not yet on peg T, so their counts give the
// heights of take-off and landing.
void ANIMATEFLY(int INDEX, int F, int T);
