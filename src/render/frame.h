// One frame of the scene, seen through the user's camera.
#pragma once

// Clears the buffers, puts the light at the eye, turns the scene about the
// foot of peg 2 by the view angles, draws it and swaps the buffers.
void DRAWGLSCENE();
