// The renderer in a real OpenGL context: the state it sets, the matrices
// it leaves, the shapes of the solids and the pixels of the scene, read back
// at projected points. The test's own SDL_GL_SwapBuffers swaps nothing, so
// every frame stays in the back buffer to be read.
#include "common/state.h"
#include "common/windowstate.h"
#include "puzzle/stacks.h"
#include "render/frame.h"
#include "render/glstate.h"
#include "render/primitives.h"
#include "shell/window.h"
#include "design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace design;

namespace {

using Vec4 = std::array<float, 4>;
using Matrix = std::array<GLdouble, 16>;

constexpr double PI = 3.14159265358979323846;

Matrix ModelView()
{
    Matrix m;
    glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

GLint Integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
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

// The z of the world point (x, y, z) in eye space: larger is nearer.
double EyeZ(double x, double y, double z)
{
    Matrix m = ModelView();
    return m[2] * x + m[6] * y + m[10] * z + m[14];
}

struct Seen {
    Vec4 colour;
    GLdouble window[3];         // where the point lands in the window
    GLdouble hit[3];            // the world point drawn at that pixel
};

// What the frame shows where the world point (x, y, z) lands under
// the matrices in force: the pixel's colour and the world point drawn there.
Seen SeenAt(double x, double y, double z)
{
    Seen seen{};
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    GLfloat depth;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, modelview, projection, viewport, &seen.window[0], &seen.window[1], &seen.window[2]);
    GLint px = static_cast<GLint>(seen.window[0]), py = static_cast<GLint>(seen.window[1]);
    // Pixels are read from the default read buffer: the back buffer, or
    // where sdl12-compat renders into a framebuffer object of its own, that
    // object's colour buffer (naming GL_BACK there is an error).
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_FLOAT, seen.colour.data());
    glReadPixels(px, py, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    gluUnProject(seen.window[0], seen.window[1], depth, modelview, projection, viewport,
                 &seen.hit[0], &seen.hit[1], &seen.hit[2]);
    return seen;
}

// The colour classes of the scene: the black background, the orange-brown
// base, the grey-blue pegs and the teal disks. One rule, which the harness
// states in Python too: a channel of the 5-bit framebuffer is known to one
// level (STEP); white light adds the same to every channel, so a material
// shows in the differences between channels, counted beyond MARGIN, which
// no rounding or dithering of two channels reaches; a peg is at least as
// bright as the global ambient light (0.3) makes its red (0.5), less a level.
enum Kind { BLACK, BASE, PEG, DISK, OTHER };

Kind KindOf(const Vec4 &c)
{
    constexpr float STEP = 1.0f / 31, MARGIN = 3 * STEP, PEGLEASTRED = 0.3f * 0.5f - STEP;
    const float r = c[0], g = c[1], b = c[2];
    if (std::max({r, g, b}) < STEP)
        return BLACK;
    if (r - g > MARGIN && g - b > MARGIN)
        return BASE;
    if (g - r > MARGIN && b - r > MARGIN)
        return DISK;
    if (std::abs(r - g) < STEP && b >= r && r > PEGLEASTRED)
        return PEG;
    return OTHER;
}

// What a probe of a solid drawn alone shows: the background, the solid
// (any colour), a face turned to the light, or a face lit only by the
// ambient light, its normal turned away.
enum Look { NONE, SOLID, LIT, DIM };

Look LookOf(const Vec4 &c)
{
    if (KindOf(c) == BLACK)
        return NONE;
    return std::max({c[0], c[1], c[2]}) > 0.45f ? LIT : DIM;
}

// The ways of looking at a solid, as turns of the world: along the axes,
// from above and in front at 45 degrees, and from the front turned a
// sixteenth and an eighth of a turn about the vertical.
enum Side { FRONT, BACK, TOP, BOTTOM, LEFT, RIGHT, TILT, TURN16, TURN8 };

// Draws one solid with an orthographic camera that looks at CENTRE from
// SIDE, HALF units from the middle of the window to its top and bottom, and
// a light on the viewer's side; returns what the pixel of the world point
// (x, y, z) shows.
Seen LookAt(const std::function<void()> &draw, Side side, const GLdouble (&centre)[3], double half,
            double x, double y, double z)
{
    static const GLfloat LIGHT[] = {0.0f, 0.0f, 60.0f, 1.0f};
    static const GLfloat TURNS[][4] = {{0, 0, 1, 0}, {180, 0, 1, 0}, {90, 1, 0, 0},
                                       {-90, 1, 0, 0}, {90, 0, 1, 0}, {-90, 0, 1, 0}, {45, 1, 0, 0},
                                       {22.5, 0, 1, 0}, {45, 0, 1, 0}};
    const double aspect = static_cast<double>(SCREENWIDTH) / SCREENHEIGHT;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half * aspect, half * aspect, -half, half, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, LIGHT);
    glRotatef(TURNS[side][0], TURNS[side][1], TURNS[side][2], TURNS[side][3]);
    glTranslated(-centre[0], -centre[1], -centre[2]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    return SeenAt(x, y, z);
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

    const std::pair<GLenum, bool> flags[] = {
        {GL_DEPTH_TEST, true}, {GL_LIGHTING, true}, {GL_LIGHT0, true}, {GL_CULL_FACE, true},
        {GL_COLOR_MATERIAL, false}, {GL_NORMALIZE, false}, {GL_TEXTURE_2D, false}, {GL_LIGHT1, false}};
    for (const auto &[cap, on] : flags)
        EXPECT_EQ(glIsEnabled(cap) == GL_TRUE, on) << std::hex << cap;
    const std::pair<GLenum, GLint> enums[] = {
        {GL_SHADE_MODEL, GL_SMOOTH}, {GL_DEPTH_FUNC, GL_LESS}, {GL_CULL_FACE_MODE, GL_BACK},
        {GL_FRONT_FACE, GL_CCW}, {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
        {GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE}, {GL_MATRIX_MODE, GL_MODELVIEW}};
    for (const auto &[name, value] : enums)
        EXPECT_EQ(Integer(name), value) << std::hex << name;

    Vec4 v{};
    for (const auto &[what, value] : {std::pair{GL_DIFFUSE, Vec4{1, 1, 1, 1}}, {GL_SPECULAR, Vec4{1, 1, 1, 1}},
                                      {GL_AMBIENT, Vec4{0, 0, 0, 1}}}) {
        glGetLightfv(GL_LIGHT0, what, v.data());
        ExpectNear(v, value, "light " + std::to_string(what));
    }
    for (const auto &[what, value] : {std::pair{GL_LIGHT_MODEL_AMBIENT, Vec4{0.3f, 0.3f, 0.3f, 1}},
                                      {GL_COLOR_CLEAR_VALUE, Vec4{0, 0, 0, 0}}}) {
        glGetFloatv(what, v.data());
        ExpectNear(v, value, "state " + std::to_string(what));
    }
    GLfloat depth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0f);
}

TEST_F(Render, ResizewindowFitsViewportAndPerspective)
{
    struct Case {
        int w, h, viewportH;
        double aspect;
    } cases[] = {{SCREENWIDTH, SCREENHEIGHT, SCREENHEIGHT, static_cast<double>(SCREENWIDTH) / SCREENHEIGHT},
                 {800, 0, 1, 800.0}, {200, 600, 600, 1.0 / 3}};
    for (const Case &c : cases) {
        glMatrixMode(GL_PROJECTION);
        glTranslatef(1, 2, 3);      // both matrices dirty before the call
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(1, 2, 3);
        EXPECT_TRUE(RESIZEWINDOW(c.w, c.h));

        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, c.w, c.viewportH}));
        GLdouble p[16];
        glGetDoublev(GL_PROJECTION_MATRIX, p);
        EXPECT_NEAR(p[5] / p[0], c.aspect, 1e-6 * c.aspect) << c.w << "x" << c.h;
        EXPECT_NEAR(p[5], 1 / std::tan(FOVY / 2 * PI / 180), 1e-6);
        EXPECT_NEAR(p[10], -(ZFAR + ZNEAR) / (ZFAR - ZNEAR), 1e-6);
        EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(ModelView(), (Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    }
}

// Disks are graded in colour and share the rest; each solid gives back the
// matrix, and a column leaves the material of its top disk, or of its peg.
TEST_F(Render, SolidsSetTheirMaterialsAndKeepTheMatrix)
{
    for (int index = 1; index <= N; index++) {
        float scale = (index - 1) / (N - 1.0f);
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
        EXPECT_EQ(Integer(GL_FRONT_FACE), GL_CCW);
        EXPECT_EQ(ModelView(), before);
    }
    for (int peg : {1, 3}) {        // peg 3 holds no disk
        Matrix before = ModelView();
        DRAWCOLUMN(N, peg);
        EXPECT_EQ(ModelView(), before) << "peg " << peg;
        EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), 1);
        ExpectNear(Material(GL_DIFFUSE), peg == 1 ? Vec4{0.3f, 0.7f, 0.6f, 1} : Vec4{0.5f, 0.5f, 0.6f, 1}, "diffuse");
        ExpectNear(Material(GL_SPECULAR), peg == 1 ? Vec4{0.7f, 0.7f, 0.7f, 1} : Vec4{1, 1, 1, 1}, "specular");
    }
}

// The camera turns the scene about its pivot, the foot of peg 2, which stays
// in the middle of the window VIEWDISTANCE - TR ahead of the eye; the scene
// gives back the matrix it was handed, and no frame raises an error.
TEST_F(Render, CameraTurnsAboutThePivotAndMovesAlongTheView)
{
    const double views[][3] = {{0, 0, 0}, {2.5, 20, -35}, {-10, -30, 200}, {0, 0, 90},
                               {24800, 49600, 50000}, {VIEWDISTANCE, 0, 0}};
    FLYINGINDEX = 3;
    FLYPOSITION = 2.5f;
    FLYHEIGHT = FLIGHTALTITUDE;
    for (const auto &v : views) {
        TR = v[0];
        ROTDX = v[1];
        ROTDY = v[2];
        DRAWGLSCENE();
        SCOPED_TRACE("TR " + std::to_string(v[0]) + " ROTDX " + std::to_string(v[1]) +
                     " ROTDY " + std::to_string(v[2]));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), 1);
        if (v[0] < VIEWDISTANCE) {        // the pivot ahead of the eye
            Seen pivot = SeenAt(PEGX(2), 0, PEGZ);
            EXPECT_NEAR(pivot.window[0], SCREENWIDTH / 2.0, 0.01);
            EXPECT_NEAR(pivot.window[1], SCREENHEIGHT / 2.0, 0.01);
        }
        EXPECT_NEAR(EyeZ(PEGX(2), 0, PEGZ), v[0] - VIEWDISTANCE, 1e-3 * (1 + std::abs(v[0])));
    }

    // A quarter turn brings peg 1 nearest.
    TR = ROTDX = 0.0;
    ROTDY = 90;
    DRAWGLSCENE();
    EXPECT_GT(EyeZ(PEGX(1), 0, PEGZ), EyeZ(PEGX(2), 0, PEGZ) + 10.9);
    EXPECT_GT(EyeZ(PEGX(2), 0, PEGZ), EyeZ(PEGX(3), 0, PEGZ) + 10.9);
    // A tilt brings the top of peg 2 towards the viewer, whatever the turn:
    // the scene turns about the vertical first.
    for (double tilt : {30.0, 90.0, -30.0}) {
        for (double turn : {0.0, 45.0, 90.0, 180.0, 270.0}) {
            ROTDX = tilt;
            ROTDY = turn;
            DRAWGLSCENE();
            EXPECT_NEAR(EyeZ(PEGX(2), PEGTOP, PEGZ) - EyeZ(PEGX(2), 0, PEGZ), PEGTOP * std::sin(tilt * PI / 180), 1e-4)
                << "tilt " << tilt << ", turn " << turn;
        }
    }
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
    // A point of the circle of radius R about the axis of a solid at the
    // origin, A sixteenths of a turn from its front; a disk's 16 sides and a
    // peg's 8 have corners at whole sixteenths and eighths.
    auto around = [](double r, double a) { return std::pair{r * std::sin(a * PI / 8), r * std::cos(a * PI / 8)}; };
    // The point that a view turned A sixteenths of a turn shows D to the
    // right of the axis. Turned a sixteenth, a wall of 16 sides shows its
    // full radius there, one of 8 sides only cos(22.5 degrees) of it; turned
    // an eighth, one of 8 sides its full radius, one of 4 cos(45 degrees).
    auto turned = [](double d, double a) { return std::pair{d * std::cos(a * PI / 8), d * std::sin(a * PI / 8)}; };
    auto [t16x, t16z] = turned(0.96, 1);
    auto [t8x, t8z] = turned(0.85, 2);
    std::vector<Solid> solids;
    for (int index : {1, 4, 7}) {
        double r = LITTLEDISKRADIUS + (index - 1) * (BIGDISKRADIUS - LITTLEDISKRADIUS) / (N - 1);
        solids.push_back({"disk " + std::to_string(index), [index] { DRAWDISK(N, index); }, {0, 0.5, 0}, 6, {
            {TURN16, r * t16x, 0.5, r * t16z, SOLID, -1, 0, "outer wall at a corner that 16 sides have, 8 not"},
            {TOP, r - 0.15, 1, 0, LIT, 1, 1.0, "top ring, just inside the rim"},
            {TOP, r + 0.15, 1, 0, NONE, -1, 0, "just outside the rim, from above"},
            {TOP, INNERRADIUS + 0.15, 1, 0, LIT, 1, 1.0, "top ring, just outside the hole"},
            {TOP, INNERRADIUS - 0.15, 1, 0, NONE, -1, 0, "down the hole"},
            {BOTTOM, r - 0.15, 0, 0, LIT, 1, 0.0, "bottom ring, just inside the rim"},
            {BOTTOM, r + 0.15, 0, 0, NONE, -1, 0, "just outside the rim, from below"},
            {BOTTOM, INNERRADIUS - 0.15, 0, 0, NONE, -1, 0, "up the hole"},
            {FRONT, 0, 0.5, r, LIT, 2, r, "outer wall, in front"},
            {FRONT, r - 0.15, 0.5, 0, SOLID, -1, 0, "outer wall, at its side"},
            {FRONT, r + 0.15, 0.5, 0, NONE, -1, 0, "beside the outer wall"},
            {FRONT, 0, DISKHEIGHT - 0.1, r, SOLID, -1, 0, "outer wall, just below the top"},
            {FRONT, 0, DISKHEIGHT + 0.1, r, NONE, -1, 0, "just above the top"},
            {FRONT, 0, 0.1, r, SOLID, -1, 0, "outer wall, just above the foot"},
            {FRONT, 0, -0.1, r, NONE, -1, 0, "just below the foot"},
            {TILT, 0, 0.9, -0.99, DIM, -1, 0, "far side of the inner wall, through the hole"},
        }});
    }
    // The outlines from above, close up: just inside a corner, just outside
    // the middle of a side.
    auto [dcx, dcz] = around(BIGDISKRADIUS - 0.05, 1);
    auto [dsx, dsz] = around(BIGDISKRADIUS - 0.05, 0.5);
    solids.push_back({"disk 7, close up", [] { DRAWDISK(N, N); }, {0, 1, BIGDISKRADIUS - 1}, 2.5, {
        {TOP, dcx, 1, dcz, SOLID, -1, 0, "a corner of the 16-sided outline"},
        {TOP, dsx, 1, dsz, NONE, -1, 0, "the middle of a side of the outline"},
    }});
    const double x3 = PEGX(3), top = TUBEHEIGHT(N);
    auto [pcx, pcz] = around(BARRADIUS - 0.03, 2);
    auto [psx, psz] = around(BARRADIUS - 0.03, 1);
    solids.push_back({"peg, close up", [] { DRAWCOLUMN(N, 3); }, {x3, top, PEGZ}, 1.5, {
        {TOP, x3 + pcx, top, PEGZ + pcz, SOLID, -1, 0, "a corner of the 8-sided outline"},
        {TOP, x3 + psx, top, PEGZ + psz, NONE, -1, 0, "the middle of a side of the outline"},
    }});
    solids.push_back({"peg", [] { DRAWCOLUMN(N, 3); }, {x3, 4.6, PEGZ}, 6, {    // peg 3 holds no disk
        {FRONT, x3 + 0.75, 4, PEGZ, SOLID, -1, 0, "tube, just inside its side"},
        {TURN8, x3 + BARRADIUS * t8x, 4, PEGZ + BARRADIUS * t8z, SOLID, -1, 0, "tube at a corner that 8 sides have, 4 not"},
        {FRONT, x3 + 1.05, 4, PEGZ, NONE, -1, 0, "beside the tube"},
        {FRONT, x3 + 0.8, top - 0.2, PEGZ, SOLID, -1, 0, "tube, just below its top"},
        {FRONT, x3, top + BARRADIUS - 0.1, PEGZ, SOLID, -1, 0, "cap, just below its top"},
        {FRONT, x3, top + BARRADIUS + 0.1, PEGZ, NONE, -1, 0, "above the cap"},
        {FRONT, x3, -0.1, PEGZ, NONE, -1, 0, "below the foot"},
        {TOP, x3, top + 0.8, PEGZ, LIT, 1, top + BARRADIUS, "top of the cap"},
        {BOTTOM, x3, 0, PEGZ, LIT, 1, top - BARRADIUS, "up the open tube: the cap's underside"},
    }});
    const double x1 = PEGX(1);
    solids.push_back({"stack of 7", [] { DRAWCOLUMN(N, 1); }, {x1, 4, PEGZ}, 6, {
        {FRONT, x1 + 3, DISTDISKS / 2, PEGZ, NONE, -1, 0, "the gap under the lowest disk"},
        {FRONT, x1 + 3, DISTDISKS + 0.05, PEGZ, SOLID, -1, 0, "the foot of the lowest disk"},
        {FRONT, x1 + 3, DISKPITCH + DISTDISKS / 2, PEGZ, NONE, -1, 0, "the gap over the lowest disk"},
        {FRONT, x1 + 1.5, N * DISKPITCH - 0.05, PEGZ, SOLID, -1, 0, "the top of the upper disk"},
        {FRONT, x1 + 1.5, N * DISKPITCH + 0.05, PEGZ, NONE, -1, 0, "above the upper disk"},
    }});
    solids.push_back({"base", [] {
        static const GLfloat COLOUR[] = {0.6f, 0.4f, 0.0f, 1.0f};
        glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, COLOUR);
        DRAWABOX(0, -BASETHICKNESS, 0, 3 * BARDIST, 0, BARDIST);
    }, {PEGX(2), -BASETHICKNESS / 2, PEGZ}, 20, {
        {FRONT, PEGX(2), -BASETHICKNESS / 2, BARDIST, LIT, 2, BARDIST, "front face"},
        {BACK, PEGX(2), -BASETHICKNESS / 2, 0, LIT, 2, 0, "back face"},
        {TOP, PEGX(2), 0, PEGZ, LIT, 1, 0, "top face"},
        {BOTTOM, PEGX(2), -BASETHICKNESS, PEGZ, LIT, 1, -BASETHICKNESS, "bottom face"},
        {LEFT, 0, -BASETHICKNESS / 2, PEGZ, LIT, 0, 0, "left end"},
        {RIGHT, 3 * BARDIST, -BASETHICKNESS / 2, PEGZ, LIT, 0, 3 * BARDIST, "right end"},
        {FRONT, PEGX(2), 0.3, BARDIST, NONE, -1, 0, "above the slab"},
        {TOP, 3 * BARDIST + 0.5, 0, PEGZ, NONE, -1, 0, "beyond the right end"},
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

// The curved walls carry GLU's smooth normals: seen from the front with the
// light at the eye, the corner of the outline that faces the viewer takes
// the whole highlight (red, which only the highlight brings to a disk), and
// it fades across the flat side that follows.
TEST_F(Render, CurvedWallsAreShadedSmoothly)
{
    struct Wall {
        const char *name;
        std::function<void()> draw;
        GLdouble centre[3];
        double radius, side;        // the angle of one side, in radians
        float highlight;            // red at the corner
    } walls[] = {
        {"disk 7", [] { DRAWDISK(N, N); }, {0, 0.5, 0}, BIGDISKRADIUS, PI / 8, 0.7f},
        {"peg", [] { DRAWCOLUMN(N, 3); }, {PEGX(3), 4, PEGZ}, BARRADIUS, PI / 4, 1.0f},
    };
    for (const Wall &w : walls) {
        auto red = [&w](double a) {
            return LookAt(w.draw, FRONT, w.centre, 6, w.centre[0] + w.radius * std::sin(a), w.centre[1],
                          w.centre[2] + w.radius * std::cos(a)).colour[0];
        };
        float corner = red(0.05 * w.side), across = red(0.9 * w.side);
        EXPECT_GT(corner, 0.9f * w.highlight) << w.name;
        EXPECT_GT(corner - across, 0.1f) << w.name << ": " << corner << " then " << across;
    }
}

// Colour probes of the starting scene, at points inside the solids, seen
// from the front and from above, with and without a disk in flight.
TEST_F(Render, PixelsShowBasePegsAndDisks)
{
    const double x1 = PEGX(1), x2 = PEGX(2), x3 = PEGX(3);
    struct Probe {
        double rotdx;
        int flying;
        double x, y, z;
        Kind kind;
        const char *what;
    } probes[] = {
        {0, 0, x2, -0.25, BARDIST, BASE, "front face of the base"},
        {0, 0, x2, 8.0, PEGZ, PEG, "tube of peg 2"},
        {0, 0, x3, 8.6, PEGZ, PEG, "cap of peg 3"},
        {0, 0, x1 - 4.5, RESTHEIGHT(0) + 0.5, PEGZ, DISK, "disk 7 on peg 1"},
        {0, 0, x1 - 1.5, RESTHEIGHT(6) + 0.5, PEGZ, DISK, "disk 1 on peg 1"},
        {0, 0, x2 - 3.5, 4.0, PEGZ, BLACK, "empty air beside peg 2"},
        {0, 0, x3 + 2.5, 10.6, PEGZ, BLACK, "nothing in flight over peg 3"},
        {0, 4, x3 + 2.5, 10.6, PEGZ, DISK, "disk 4 in flight over peg 3"},
        {60, 0, x2, 0, 9.5, BASE, "top face of the base, from above"},
        {60, 4, x3 + 2.5, FLIGHTALTITUDE + DISKHEIGHT, PEGZ, DISK, "top of the flying disk, from above"},
    };
    FLYPOSITION = 3.0f;
    FLYHEIGHT = FLIGHTALTITUDE;
    for (const Probe &p : probes) {
        ROTDX = p.rotdx;
        FLYINGINDEX = p.flying;
        DRAWGLSCENE();
        Vec4 c = SeenAt(p.x, p.y, p.z).colour;
        EXPECT_EQ(KindOf(c), p.kind) << p.what << ": " << c[0] << " " << c[1] << " " << c[2];
    }
}
