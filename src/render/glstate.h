// The fixed-function OpenGL state and the projection. Both run again after
// a resize, which may have replaced the context.
#pragma once

// Sets shading, depth, lighting and culling state and the light's colours,
// and creates the quadric that draws every cylinder and sphere.
void INITGL();

// Fits the viewport and a 45 degree perspective to WIDTH x HEIGHT and
// leaves the model-view matrix current and reset; always true.
bool RESIZEWINDOW(int WIDTH, int HEIGHT);
