// The fixed-function OpenGL state and the projection.
#pragma once

// Sets shading, depth, lighting and culling state and creates the quadric.
void INITGL();

// Fits the viewport and the perspective projection to WIDTH x HEIGHT.
bool RESIZEWINDOW(int WIDTH, int HEIGHT);
