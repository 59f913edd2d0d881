// One frame of the scene, seen through the user's camera.
#pragma once

// Clears, lights, places the camera, draws the scene and swaps the buffers.
void DRAWGLSCENE();
