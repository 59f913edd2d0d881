// Puts a fresh OpenGL context into the one state every frame relies on,
// and fits the projection to the window.
#include "render/glstate.h"

#include "common/exits.h"
#include "common/scene.h"
#include "common/windowstate.h"

void INITGL()
{
    static const GLfloat GAMBIENT[] = {0.3f, 0.3f, 0.3f, 1.0f};
    static const GLfloat LDIFFUSEANDSPECULAR[] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const GLfloat LAMBIENT[] = {0.0f, 0.0f, 0.0f, 1.0f};

    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LDIFFUSEANDSPECULAR);
    glLightfv(GL_LIGHT0, GL_SPECULAR, LDIFFUSEANDSPECULAR);
    glLightfv(GL_LIGHT0, GL_AMBIENT, LAMBIENT);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, GAMBIENT);

    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    if (Q != nullptr)           // the quadric of an earlier call: nothing uses it any more
        gluDeleteQuadric(Q);
    Q = gluNewQuadric();
    if (Q == nullptr)
        EXITWITHERROR("cannot create the GLU quadric: out of memory");
    gluQuadricNormals(Q, GLU_SMOOTH);
    gluQuadricTexture(Q, GL_TRUE);
}

bool RESIZEWINDOW(int WIDTH, int HEIGHT)
{
    if (HEIGHT == 0)            // keeps the aspect ratio finite
        HEIGHT = 1;
    glViewport(0, 0, WIDTH, HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FOVY, static_cast<double>(WIDTH) / HEIGHT, ZNEAR, ZFAR);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return true;
}
