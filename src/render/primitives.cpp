// Disks, pegs and the base box. GLU builds its quadrics along +Z, so disks
// and pegs first turn the frame by -90 degrees about X: the quadric's +Z
// becomes the scene's +Y (up).
#include "render/primitives.h"

#include "common/scene.h"
#include "common/windowstate.h"
#include "puzzle/stacks.h"

namespace {

// The peg for a set of N disks: a tube reaching PLUSBARHEIGHT above a full
// stack, capped by a sphere of its own radius; its foot at the origin.
void DRAWBAR(int N)
{
    static const GLfloat AMBANDDIFFOBJ[] = {0.5f, 0.5f, 0.6f, 1.0f};
    static const GLfloat SPECULAROBJ[] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const GLfloat SHININESSOBJ = 60.0f;

    SETMATERIAL(AMBANDDIFFOBJ, SPECULAROBJ, SHININESSOBJ);
    glPushMatrix();
    float HEIGHT = TUBEHEIGHT(N);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(Q, BARRADIUS, BARRADIUS, HEIGHT, 8, 8);
    glTranslatef(0.0f, 0.0f, HEIGHT);
    gluSphere(Q, BARRADIUS, 8, 8);
    glPopMatrix();
}

// Emits the four corners of one quadrilateral, each with a texture coordinate.
void DRAWFACE(double X1, double X2, double X3, double X4,
              double Y1, double Y2, double Y3, double Y4,
              double Z1, double Z2, double Z3, double Z4)
{
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(X1, Y1, Z1);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(X2, Y2, Z2);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(X3, Y3, Z3);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(X4, Y4, Z4);
}

}  // namespace

void SETMATERIAL(const GLfloat *AMBANDDIFF, const GLfloat *SPECULAR, GLfloat SHININESS)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, AMBANDDIFF);
    glMaterialfv(GL_FRONT, GL_SPECULAR, SPECULAR);
    glMaterialf(GL_FRONT, GL_SHININESS, SHININESS);
}

void DRAWDISK(int N, int INDEX)
{
    // Ambient and diffuse colour of the largest disk, then of the smallest.
    static const GLfloat AMBDIFF[] = {0.0f, 0.5f, 0.6f, 1.0f, 0.3f, 0.7f, 0.6f, 1.0f};
    static const GLfloat SPECULAROBJ[] = {0.7f, 0.7f, 0.7f, 1.0f};
    static const GLfloat SHININESSOBJ = 60.0f;

    // SCALE, the disk's place from the smallest (0) to the largest (1), is
    // kept in single precision; the colour and the radius are blended from
    // it in double precision and kept in single precision again.
    float SCALE = static_cast<double>(INDEX - 1) / (N - 1);
    GLfloat AMBANDDIFFOBJ[4];
    for (int I = 0; I < 4; I++)
        AMBANDDIFFOBJ[I] = AMBDIFF[I] * static_cast<double>(SCALE) + (1.0 - SCALE) * AMBDIFF[I + 4];

    SETMATERIAL(AMBANDDIFFOBJ, SPECULAROBJ, SHININESSOBJ);
    glPushMatrix();
    float RADIUS = SCALE * (BIGDISKRADIUS - LITTLEDISKRADIUS) + LITTLEDISKRADIUS;
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(Q, INNERRADIUS, RADIUS, 0.0, 16, 3);           // bottom ring, faces down
    gluCylinder(Q, RADIUS, RADIUS, DISKHEIGHT, 16, 3);         // outer wall
    glFrontFace(GL_CW);                                        // show the hole's inside
    gluCylinder(Q, INNERRADIUS, INNERRADIUS, DISKHEIGHT, 16, 3);
    glFrontFace(GL_CCW);
    glTranslatef(0.0f, 0.0f, DISKHEIGHT);
    gluCylinder(Q, RADIUS, INNERRADIUS, 0.0, 16, 3);           // top ring, faces up
    glPopMatrix();
}

void DRAWABOX(double AX, double AY, double AZ, double BX, double BY, double BZ)
{
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    DRAWFACE(AX, BX, BX, AX, AY, AY, BY, BY, BZ, BZ, BZ, BZ);
    glNormal3f(0.0f, 0.0f, -1.0f);
    DRAWFACE(AX, BX, BX, AX, BY, BY, AY, AY, AZ, AZ, AZ, AZ);
    glNormal3f(0.0f, -1.0f, 0.0f);
    DRAWFACE(AX, BX, BX, AX, AY, AY, AY, AY, AZ, AZ, BZ, BZ);
    glNormal3f(0.0f, 1.0f, 0.0f);
    DRAWFACE(AX, AX, BX, BX, BY, BY, BY, BY, AZ, BZ, BZ, AZ);
    glNormal3f(-1.0f, 0.0f, 0.0f);
    DRAWFACE(AX, AX, AX, AX, AY, AY, BY, BY, AZ, BZ, BZ, AZ);
    glNormal3f(1.0f, 0.0f, 0.0f);
    DRAWFACE(BX, BX, BX, BX, AY, BY, BY, AY, AZ, AZ, BZ, BZ);
    glEnd();
}

void DRAWCOLUMN(int N, int I)
{
    glPushMatrix();
    glTranslatef(PEGX(I), 0.0f, PEGZ);
    DRAWBAR(N);
    // The disk in position II stands at RESTHEIGHT(II - 1), where a flight
    // takes off from and lands on this stack.
    glTranslatef(0.0f, DISTDISKS, 0.0f);
    int COUNT = DISKCOUNT(I);
    for (int II = 1; II <= COUNT; II++) {
        DRAWDISK(N, DISKAT(I, II));
        glTranslatef(0.0f, DISKPITCH, 0.0f);
    }
    glPopMatrix();
}
