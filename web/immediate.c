/* Immediate mode gathered in the program's own memory and drawn as vertex
   arrays: the browser's cost is per draw (the emulation's uniforms, WebGL's
   state) and per call into JavaScript, not per triangle. Each glBegin/glEnd
   of triangle strips or quads is one draw, and each of GLU's quadrics is one
   triangle strip, whose stacks are joined by repeated vertices (triangles of
   no area, which draw nothing). Each vertex takes the normal set last, as
   OpenGL keeps it; texture coordinates go unused, as with no texture
   enabled. Other primitives go to the emulation as they come. The linker
   sends the program's and GLU's calls here (--wrap). */
#include <GL/gl.h>
#include <GL/glu.h>
#include <string.h>

void __real_glBegin(GLenum mode);
void __real_glEnd(void);
void __real_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glTexCoord2f(GLfloat s, GLfloat t);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __real_gluCylinder(GLUquadric *quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                        GLint stacks);
void __real_gluSphere(GLUquadric *quadric, GLdouble radius, GLint slices, GLint stacks);

enum { CAPACITY = 4096 };           /* vertices drawn at once at most: a multiple of four */

typedef struct {
    GLfloat normal[3], position[3];
} VERTEX;

static VERTEX VERTICES[CAPACITY];
static int COUNT;                   /* vertices gathered */
static GLenum MODE;                 /* what they draw */
static int GATHERING;               /* between glBegin and glEnd of a mode gathered here */
static int INQUADRIC;               /* within a quadric: strips join until it ends */
static int JOINING;                 /* the next vertex begins a strip joined to the last */
static GLfloat NORMAL[3] = {0, 0, 1};

/* Draws what is gathered and empties the store. */
static void DRAW(void)
{
    if (COUNT == 0)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(VERTEX), VERTICES[0].position);
    glNormalPointer(GL_FLOAT, sizeof(VERTEX), VERTICES[0].normal);
    glDrawArrays(MODE, 0, COUNT);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    COUNT = 0;
}

/* Draws a full store; a strip goes on from its last two vertices. The
   store holds a multiple of four vertices: whole quads, and a strip that
   goes on at an even place, so that each triangle keeps its winding. */
static void MAKEROOM(void)
{
    const int KEEP = MODE == GL_TRIANGLE_STRIP ? 2 : 0;
    VERTEX KEPT[2];
    memcpy(KEPT, VERTICES + COUNT - KEEP, KEEP * sizeof(VERTEX));
    DRAW();
    memcpy(VERTICES, KEPT, KEEP * sizeof(VERTEX));
    COUNT = KEEP;
}

/* Adds a vertex, drawing a full store first. */
static void ADD(const VERTEX *V)
{
    if (COUNT == CAPACITY)
        MAKEROOM();
    VERTICES[COUNT++] = *V;
}

void __wrap_glBegin(GLenum mode)
{
    if (mode != GL_TRIANGLE_STRIP && mode != GL_QUADS) {
        DRAW();
        __real_glBegin(mode);
        return;
    }
    GATHERING = 1;
    if (INQUADRIC && COUNT > 0 && mode == GL_TRIANGLE_STRIP && MODE == GL_TRIANGLE_STRIP) {
        /* The last vertex again, twice where the strip's length is odd,
           then the next strip's first: the next strip starts at an even
           place, its triangles wound as its own. */
        const VERTEX LAST = VERTICES[COUNT - 1];
        const int REPEATS = 1 + COUNT % 2;
        for (int I = 0; I < REPEATS; I++)
            ADD(&LAST);
        JOINING = 1;
        return;
    }
    DRAW();
    MODE = mode;
}

void __wrap_glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    NORMAL[0] = x;
    NORMAL[1] = y;
    NORMAL[2] = z;
    if (!GATHERING)
        __real_glNormal3f(x, y, z);
}

void __wrap_glTexCoord2f(GLfloat s, GLfloat t)
{
    if (!GATHERING)
        __real_glTexCoord2f(s, t);
}

void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (!GATHERING) {
        __real_glVertex3f(x, y, z);
        return;
    }
    const VERTEX V = {{NORMAL[0], NORMAL[1], NORMAL[2]}, {x, y, z}};
    ADD(&V);
    if (JOINING)
        ADD(&V);
    JOINING = 0;
}

void __wrap_glEnd(void)
{
    if (!GATHERING) {
        __real_glEnd();
        return;
    }
    GATHERING = 0;
    if (!INQUADRIC)
        DRAW();
}

/* Each quadric's strips as one. */
void __wrap_gluCylinder(GLUquadric *quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                        GLint stacks)
{
    INQUADRIC = 1;
    __real_gluCylinder(quadric, base, top, height, slices, stacks);
    INQUADRIC = 0;
    DRAW();
}

void __wrap_gluSphere(GLUquadric *quadric, GLdouble radius, GLint slices, GLint stacks)
{
    INQUADRIC = 1;
    __real_gluSphere(quadric, radius, slices, stacks);
    INQUADRIC = 0;
    DRAW();
}
