// The flight of one disk from peg to peg, one frame per step.
#pragma once

// Plays the move of disk INDEX from peg F to peg T: rise, travel, drop.
void ANIMATEFLY(int INDEX, int F, int T);
