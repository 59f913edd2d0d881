// The renderer in a real OpenGL context: the state it sets, the matrices
// it leaves, the shapes of the solids and the pixels of the scene, read back
// at projected points. The test's own SDL_GL_SwapBuffers swaps nothing, so
// every frame stays in the back buffer to be read.
#include "common/scene.h"
#include "common/state.h"
#include "common/windowstate.h"
#include "puzzle/stacks.h"
#include "render/frame.h"
#include "render/glstate.h"
#include "render/primitives.h"
#include "shell/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using Vec4 = std::array<float, 4>;
using Matrix = std::array<GLdouble, 16>;

Matrix ModelView()
{
    Matrix m;
    glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

Vec4 Material(GLenum what)
{
    Vec4 v{};
    glGetMaterialfv(GL_FRONT, what, v.data());
    return v;
}

void ExpectNear(const Vec4 &got, const Vec4 &want, const std::string &what)
{
    for (int i = 0; i < 4; i++)
        EXPECT_NEAR(got[i], want[i], 1e-4) << what << "[" << i << "]";
}

struct Seen {
    Vec4 colour;
    GLdouble hit[3];            // the world point drawn at that pixel
};

// What the back buffer shows where the world point (x, y, z) lands under
// the matrices in force: the pixel's colour and the world point drawn there.
Seen SeenAt(double x, double y, double z)
{
    Seen seen{};
    GLdouble modelview[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    GLfloat depth;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    glReadBuffer(GL_BACK);
    glReadPixels(static_cast<GLint>(wx), static_cast<GLint>(wy), 1, 1, GL_RGBA, GL_FLOAT, seen.colour.data());
    glReadPixels(static_cast<GLint>(wx), static_cast<GLint>(wy), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    gluUnProject(wx, wy, depth, modelview, projection, viewport, &seen.hit[0], &seen.hit[1], &seen.hit[2]);
    return seen;
}

class Render : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OPENWINDOW(); }
    static void TearDownTestSuite() { SDL_Quit(); }
    void SetUp() override
    {
        INITGL();
        RESIZEWINDOW(SCREENWIDTH, SCREENHEIGHT);
        STARTINGTOWER();
        FLYINGINDEX = 0;
        TR = ROTDX = ROTDY = ROTDZ = 0.0;
    }
};

// What a probe of a solid drawn alone shows: the background, the solid
// (any colour), a face turned to the light, or a face lit only by the
// ambient light, its normal turned away.
enum Look { NONE, SOLID, LIT, DIM };

// The ways of looking at a solid, as turns of the world: along the axes, and
// from above and in front at 45 degrees.
enum Side { FRONT, BACK, TOP, BOTTOM, LEFT, RIGHT, TILT };

// Draws one solid with an orthographic camera that looks at CENTRE from
// SIDE, HALF units from the middle of the window to its top and bottom, and
// a light on the viewer's side; returns what the pixel of the world point
// (x, y, z) shows.
Seen LookAt(const std::function<void()> &draw, Side side, const GLdouble (&centre)[3], double half, double x, double y, double z)
{
    static const GLfloat LIGHT[] = {0.0f, 0.0f, 60.0f, 1.0f};
    static const GLfloat TURNS[][4] = {{0, 0, 1, 0}, {180, 0, 1, 0}, {90, 1, 0, 0},
                                       {-90, 1, 0, 0}, {90, 0, 1, 0}, {-90, 0, 1, 0}, {45, 1, 0, 0}};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half * SCREENWIDTH / SCREENHEIGHT, half * SCREENWIDTH / SCREENHEIGHT, -half, half, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, LIGHT);
    glRotatef(TURNS[side][0], TURNS[side][1], TURNS[side][2], TURNS[side][3]);
    glTranslated(-centre[0], -centre[1], -centre[2]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    return SeenAt(x, y, z);
}

Look LookOf(const Vec4 &c)
{
    float brightest = std::max({c[0], c[1], c[2]});
    if (c[0] + c[1] + c[2] < 0.02f)
        return NONE;
    return brightest > 0.45f ? LIT : DIM;
}

// The z of the world point (x, y, z) in eye space: larger is nearer.
double EyeZ(const Matrix &m, double x, double y, double z)
{
    return m[2] * x + m[6] * y + m[10] * z + m[14];
}

}  // namespace

// The frames of this test stay in the back buffer.
void SDL_GL_SwapBuffers() {}

TEST_F(Render, InitglSetsTheFixedFunctionStateEachTime)
{
    // Every setting INITGL makes is changed first.
    static const GLfloat RED[] = {1, 0, 0, 1};
    for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_CULL_FACE})
        glDisable(cap);
    glShadeModel(GL_FLAT);
    glDepthFunc(GL_ALWAYS);
    glCullFace(GL_FRONT);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    for (GLenum what : {GL_DIFFUSE, GL_SPECULAR, GL_AMBIENT})
        glLightfv(GL_LIGHT0, what, RED);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, RED);
    glClearColor(1, 0, 0, 1);
    glClearDepth(0.5);
    INITGL();
    EXPECT_NE(Q, nullptr);

    struct Flag {
        GLenum cap;
        bool on;
    } flags[] = {{GL_DEPTH_TEST, true}, {GL_LIGHTING, true}, {GL_LIGHT0, true},
                 {GL_CULL_FACE, true}, {GL_COLOR_MATERIAL, false}, {GL_NORMALIZE, false},
                 {GL_TEXTURE_2D, false}, {GL_LIGHT1, false}};
    for (const Flag &f : flags)
        EXPECT_EQ(glIsEnabled(f.cap) == GL_TRUE, f.on) << std::hex << f.cap;

    struct Enum {
        GLenum name;
        GLint value;
    } enums[] = {{GL_SHADE_MODEL, GL_SMOOTH}, {GL_DEPTH_FUNC, GL_LESS},
                 {GL_CULL_FACE_MODE, GL_BACK}, {GL_FRONT_FACE, GL_CCW},
                 {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
                 {GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE}, {GL_MATRIX_MODE, GL_MODELVIEW}};
    for (const Enum &e : enums) {
        GLint value = -1;
        glGetIntegerv(e.name, &value);
        EXPECT_EQ(value, e.value) << std::hex << e.name;
    }

    Vec4 v;
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, v.data());
    ExpectNear(v, {1, 1, 1, 1}, "light diffuse");
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, v.data());
    ExpectNear(v, {1, 1, 1, 1}, "light specular");
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, v.data());
    ExpectNear(v, {0, 0, 0, 1}, "light ambient");
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v.data());
    ExpectNear(v, {0.3f, 0.3f, 0.3f, 1}, "global ambient");
    glGetFloatv(GL_COLOR_CLEAR_VALUE, v.data());
    ExpectNear(v, {0, 0, 0, 0}, "clear colour");
    GLfloat depth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0f);
}

TEST_F(Render, ResizewindowFitsViewportAndPerspective)
{
    struct Case {
        int w, h, viewportH;
        double aspect;
    } cases[] = {{640, 480, 480, 640.0 / 480}, {800, 0, 1, 800.0}, {200, 600, 600, 1.0 / 3}};
    for (const Case &c : cases) {
        glMatrixMode(GL_PROJECTION);
        glTranslatef(1, 2, 3);      // both matrices dirty before the call
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(1, 2, 3);
        EXPECT_TRUE(RESIZEWINDOW(c.w, c.h));

        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        EXPECT_EQ(viewport[2], c.w);
        EXPECT_EQ(viewport[3], c.viewportH);
        GLdouble p[16];
        glGetDoublev(GL_PROJECTION_MATRIX, p);
        EXPECT_NEAR(p[5] / p[0], c.aspect, 1e-6 * c.aspect) << c.w << "x" << c.h;
        EXPECT_NEAR(p[5], 1 / std::tan(22.5 * std::acos(-1.0) / 180), 1e-6);   // 45 degrees vertical
        EXPECT_NEAR(p[10], -(100.0 + 0.1) / (100.0 - 0.1), 1e-6);
        GLint mode;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        Matrix identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        EXPECT_EQ(ModelView(), identity);
    }
}

TEST_F(Render, DisksAreGradedInColourAndShareTheRest)
{
    for (int index = 1; index <= N; index++) {
        float scale = (index - 1) / 6.0f;
        glFrontFace(GL_CW);
        glRotatef(30, 0, 1, 0);
        Matrix before = ModelView();
        DRAWDISK(N, index);
        SCOPED_TRACE("disk " + std::to_string(index));
        Vec4 colour{0.3f * (1 - scale), 0.7f - 0.2f * scale, 0.6f, 1.0f};
        ExpectNear(Material(GL_AMBIENT), colour, "ambient");
        ExpectNear(Material(GL_DIFFUSE), colour, "diffuse");
        ExpectNear(Material(GL_SPECULAR), {0.7f, 0.7f, 0.7f, 1}, "specular");
        EXPECT_EQ(Material(GL_SHININESS)[0], 60.0f);
        GLint front;
        glGetIntegerv(GL_FRONT_FACE, &front);
        EXPECT_EQ(front, GL_CCW);
        EXPECT_EQ(ModelView(), before);
    }
}

TEST_F(Render, ColumnsLeaveTheMatrixAndTheLastMaterial)
{
    for (int peg = 1; peg <= 3; peg++) {
        Matrix before = ModelView();
        DRAWCOLUMN(N, peg);
        EXPECT_EQ(ModelView(), before) << "peg " << peg;
        GLint depth;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
    }
    // Peg 3 holds no disk, so its own grey-blue material is left behind.
    ExpectNear(Material(GL_DIFFUSE), {0.5f, 0.5f, 0.6f, 1}, "peg diffuse");
    ExpectNear(Material(GL_SPECULAR), {1, 1, 1, 1}, "peg specular");
    DRAWCOLUMN(N, 1);
    ExpectNear(Material(GL_DIFFUSE), {0.3f, 0.7f, 0.6f, 1}, "top disk of peg 1");
}

// The camera turns the scene about its pivot, the foot of peg 2, which stays
// in the middle of the window VIEWDISTANCE - TR ahead of the eye; the scene
// gives back the matrix it was handed, and no frame raises an error.
TEST_F(Render, CameraTurnsAboutThePivotAndMovesAlongTheView)
{
    const double views[][3] = {{0, 0, 0}, {2.5, 20, -35}, {-10, -30, 200}, {0, 0, 90},
                               {24800, 49600, 50000}, {40, 0, 0}};
    FLYINGINDEX = 3;
    FLYPOSITION = 2.5f;
    FLYHEIGHT = 10.1f;
    for (const auto &v : views) {
        TR = v[0];
        ROTDX = v[1];
        ROTDY = v[2];
        DRAWGLSCENE();
        SCOPED_TRACE("TR " + std::to_string(v[0]) + " ROTDX " + std::to_string(v[1]) +
                     " ROTDY " + std::to_string(v[2]));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        GLint depth;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);

        Matrix camera = ModelView();
        GLdouble projection[16], wx, wy, wz;
        GLint viewport[4];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        if (v[0] < 40) {        // the pivot ahead of the eye
            gluProject(16.5, 0, 5.5, camera.data(), projection, viewport, &wx, &wy, &wz);
            EXPECT_NEAR(wx, SCREENWIDTH / 2.0, 0.01);
            EXPECT_NEAR(wy, SCREENHEIGHT / 2.0, 0.01);
        }
        EXPECT_NEAR(EyeZ(camera, 16.5, 0, 5.5), v[0] - 40, 1e-3 * (1 + std::abs(v[0])));
    }

    // A quarter turn brings peg 1 nearest, and a quarter tilt the top of
    // peg 2 nearer than its foot.
    TR = ROTDX = 0.0;
    ROTDY = 90;
    DRAWGLSCENE();
    Matrix camera = ModelView();
    EXPECT_GT(EyeZ(camera, 5.5, 0, 5.5), EyeZ(camera, 16.5, 0, 5.5) + 10.9);
    EXPECT_GT(EyeZ(camera, 16.5, 0, 5.5), EyeZ(camera, 27.5, 0, 5.5) + 10.9);
    ROTDY = 0;
    ROTDX = 90;
    DRAWGLSCENE();
    camera = ModelView();
    EXPECT_NEAR(EyeZ(camera, 16.5, 9.1, 5.5) - EyeZ(camera, 16.5, 0, 5.5), 9.1, 1e-4);
}

// Each solid drawn alone and looked at along the axes: its outline, which
// faces show from each side and how they are lit, and where they lie.
TEST_F(Render, SolidsHaveTheirShapeAndShowTheirOutsides)
{
    struct Probe {
        Side side;
        double x, y, z;
        Look look;
        int axis;               // of the drawn point that is checked, -1 for none
        double at;
        const char *what;
    };
    struct Solid {
        std::string name;
        std::function<void()> draw;
        GLdouble centre[3];
        double half;
        std::vector<Probe> probes;
    };
    std::vector<Solid> solids;
    for (int index : {1, 4, 7}) {
        double r = 2.0 + 0.5 * (index - 1);
        solids.push_back({"disk " + std::to_string(index), [index] { DRAWDISK(N, index); }, {0, 0.5, 0}, 6, {
            {TOP, r - 0.15, 1, 0, LIT, 1, 1.0, "top ring, just inside the rim"},
            {TOP, r + 0.15, 1, 0, NONE, -1, 0, "just outside the rim, from above"},
            {TOP, 1.15, 1, 0, LIT, 1, 1.0, "top ring, just outside the hole"},
            {TOP, 0.85, 1, 0, NONE, -1, 0, "down the hole"},
            {BOTTOM, r - 0.15, 0, 0, LIT, 1, 0.0, "bottom ring, just inside the rim"},
            {BOTTOM, r + 0.15, 0, 0, NONE, -1, 0, "just outside the rim, from below"},
            {BOTTOM, 0.85, 0, 0, NONE, -1, 0, "up the hole"},
            {FRONT, 0, 0.5, r, LIT, 2, r, "outer wall, in front"},
            {FRONT, r - 0.15, 0.5, 0, SOLID, -1, 0, "outer wall, at its side"},
            {FRONT, r + 0.15, 0.5, 0, NONE, -1, 0, "beside the outer wall"},
            {FRONT, 0, 0.9, r, SOLID, -1, 0, "outer wall, just below the top"},
            {FRONT, 0, 1.1, r, NONE, -1, 0, "just above the top"},
            {FRONT, 0, 0.1, r, SOLID, -1, 0, "outer wall, just above the foot"},
            {FRONT, 0, -0.1, r, NONE, -1, 0, "just below the foot"},
            {TILT, 0, 0.9, -0.99, DIM, -1, 0, "far side of the inner wall, through the hole"},
        }});
    }
    solids.push_back({"peg", [] { DRAWCOLUMN(N, 3); }, {27.5, 4.6, 5.5}, 6, {    // peg 3 holds no disk
        {FRONT, 27.5 + 0.75, 4, 5.5, SOLID, -1, 0, "tube, just inside its side"},
        {FRONT, 27.5 + 1.05, 4, 5.5, NONE, -1, 0, "beside the tube"},
        {FRONT, 27.5 + 0.8, 8.0, 5.5, SOLID, -1, 0, "tube, just below its top"},
        {FRONT, 27.5, 9.0, 5.5, SOLID, -1, 0, "cap, just below its top"},
        {FRONT, 27.5, 9.2, 5.5, NONE, -1, 0, "above the cap"},
        {FRONT, 27.5, -0.1, 5.5, NONE, -1, 0, "below the foot"},
        {TOP, 27.5, 9, 5.5, LIT, 1, 9.1, "top of the cap"},
        {BOTTOM, 27.5, 0, 5.5, LIT, 1, 7.3, "up the open tube: the cap's underside"},
    }});
    solids.push_back({"base", [] {
        static const GLfloat COLOUR[] = {0.6f, 0.4f, 0.0f, 1.0f};
        glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, COLOUR);
        DRAWABOX(0, -0.5, 0, 33, 0, 11);
    }, {16.5, -0.25, 5.5}, 20, {
        {FRONT, 16.5, -0.25, 11, LIT, 2, 11, "front face"},
        {BACK, 16.5, -0.25, 0, LIT, 2, 0, "back face"},
        {TOP, 16.5, 0, 5.5, LIT, 1, 0, "top face"},
        {BOTTOM, 16.5, -0.5, 5.5, LIT, 1, -0.5, "bottom face"},
        {LEFT, 0, -0.25, 5.5, LIT, 0, 0, "left end"},
        {RIGHT, 33, -0.25, 5.5, LIT, 0, 33, "right end"},
        {FRONT, 16.5, 0.3, 11, NONE, -1, 0, "above the slab"},
        {TOP, 33.5, 0, 5.5, NONE, -1, 0, "beyond the right end"},
    }});

    for (const Solid &solid : solids) {
        for (const Probe &p : solid.probes) {
            Seen seen = LookAt(solid.draw, p.side, solid.centre, solid.half, p.x, p.y, p.z);
            Look look = LookOf(seen.colour);
            std::string what = solid.name + ", " + p.what;
            if (p.look == SOLID)
                EXPECT_NE(look, NONE) << what;
            else
                EXPECT_EQ(look, p.look) << what;
            if (p.axis >= 0 && look != NONE) {
                EXPECT_NEAR(seen.hit[p.axis], p.at, 0.02) << what;
            }
        }
    }
}

// Colour probes of the starting scene, at points inside the solids, seen
// from the front and from above, with and without a disk in flight.
TEST_F(Render, PixelsShowBasePegsAndDisks)
{
    enum Kind { BLACK, BASE, PEG, DISK };
    struct Probe {
        double rotdx;
        int flying;
        double x, y, z;
        Kind kind;
        const char *what;
    } probes[] = {
        {0, 0, 16.5, -0.25, 11, BASE, "front face of the base"},
        {0, 0, 16.5, 8.0, 5.5, PEG, "tube of peg 2"},
        {0, 0, 27.5, 8.6, 5.5, PEG, "cap of peg 3"},
        {0, 0, 5.5 - 4.5, 0.6, 5.5, DISK, "disk 7 on peg 1"},
        {0, 0, 5.5 - 1.5, 7.2, 5.5, DISK, "disk 1 on peg 1"},
        {0, 0, 16.5 - 3.5, 4.0, 5.5, BLACK, "empty air beside peg 2"},
        {0, 0, 27.5 + 2.5, 10.6, 5.5, BLACK, "nothing in flight over peg 3"},
        {0, 4, 27.5 + 2.5, 10.6, 5.5, DISK, "disk 4 in flight over peg 3"},
        {60, 0, 16.5, 0, 9.5, BASE, "top face of the base, from above"},
        {60, 4, 27.5 + 2.5, 11.1, 5.5, DISK, "top of the flying disk, from above"},
    };
    FLYPOSITION = 3.0f;
    FLYHEIGHT = 10.1f;
    for (const Probe &p : probes) {
        ROTDX = p.rotdx;
        FLYINGINDEX = p.flying;
        DRAWGLSCENE();
        Vec4 c = SeenAt(p.x, p.y, p.z).colour;
        SCOPED_TRACE(std::string(p.what) + ": " + std::to_string(c[0]) + " " +
                     std::to_string(c[1]) + " " + std::to_string(c[2]));
        switch (p.kind) {
        case BLACK:
            EXPECT_LT(c[0] + c[1] + c[2], 0.02f);
            break;
        case BASE:      // orange brown: red over green over blue
            EXPECT_GT(c[0], 0.3f);
            EXPECT_GT(c[0], c[1] + 0.1f);
            EXPECT_GT(c[1], c[2] + 0.1f);
            break;
        case PEG:       // grey blue: red and green alike, blue above them
            EXPECT_NEAR(c[0], c[1], 0.03f);
            EXPECT_GE(c[2], c[0]);
            EXPECT_GT(c[0], 0.2f);
            break;
        case DISK:      // teal: green and blue well above red
            EXPECT_GT(c[1], c[0] + 0.15f);
            EXPECT_GT(c[2], c[0] + 0.15f);
            break;
        }
    }
}
