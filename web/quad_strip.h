/* Included before GLU's quadric code: Emscripten's OpenGL emulation has no
   quad strips, so GLU draws each as the triangle strip of the same
   vertices, which covers the same quadrilaterals. */
#include <GL/gl.h>
#undef GL_QUAD_STRIP
#define GL_QUAD_STRIP GL_TRIANGLE_STRIP
