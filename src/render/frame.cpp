// The frame: the light at the eye, the camera built from the view values,
// and the scene laid out in world coordinates (base slab from (0, -0.5, 0)
// to (33, 0, 11), +y up, the pegs on the slab's centre line).
#include "render/frame.h"

#include "common/scene.h"
#include "common/state.h"
#include "render/primitives.h"

#include <SDL.h>
#include <GL/gl.h>

namespace {

// Draws the base slab, the three pegs with their stacks and the flying disk.
void DRAWSCENE()
{
    static const GLfloat AMBANDDIFFOBJ[] = {0.6f, 0.4f, 0.0f, 1.0f};
    static const GLfloat SPECULAROBJ[] = {0.7f, 0.7f, 0.7f, 1.0f};
    static const GLfloat SHININESSOBJ = 60.0f;

    SETMATERIAL(AMBANDDIFFOBJ, SPECULAROBJ, SHININESSOBJ);
    DRAWABOX(0.0, -BASETHICKNESS, 0.0, 3 * BARDIST, 0.0, BARDIST);

    DRAWCOLUMN(N, 1);
    DRAWCOLUMN(N, 2);
    DRAWCOLUMN(N, 3);

    if (FLYINGINDEX != 0) {
        glPushMatrix();
        glTranslatef(PEGX(FLYPOSITION), FLYHEIGHT, PEGZ);
        DRAWDISK(N, FLYINGINDEX);
        glPopMatrix();
    }
}

}  // namespace

void DRAWGLSCENE()
{
    static const GLfloat LIGHTPOS[] = {0.0f, 0.0f, 0.0f, 1.0f};

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, LIGHTPOS);        // at the eye: it moves with the viewer
    glTranslatef(0.0f, 0.0f, TR - VIEWDISTANCE);
    glRotatef(ROTDX, 1.0f, 0.0f, 0.0f);
    glRotatef(ROTDY, 0.0f, 1.0f, 0.0f);
    glRotatef(ROTDZ, 0.0f, 0.0f, 1.0f);
    glTranslatef(-PEGX(2), 0.0f, -PEGZ);
    DRAWSCENE();
    SDL_GL_SwapBuffers();
}
