// The renderer in a real OpenGL context: the state it sets, the matrices
// it leaves, and the pixels of the scene read back at projected points.
#include "common/scene.h"
#include "common/state.h"
#include "common/windowstate.h"
#include "puzzle/stacks.h"
#include "render/frame.h"
#include "render/glstate.h"
#include "render/primitives.h"
#include "shell/window.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

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

// The colour of the last frame where the world point (x, y, z) appears
// under the camera of the last frame.
Vec4 PixelAt(const Matrix &camera, double x, double y, double z)
{
    GLdouble projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, camera.data(), projection, viewport, &wx, &wy, &wz);
    Vec4 rgba{};
    glReadBuffer(GL_BACK);      // Mesa keeps the frame there after the swap
    glReadPixels(static_cast<GLint>(wx), static_cast<GLint>(wy), 1, 1, GL_RGBA, GL_FLOAT, rgba.data());
    return rgba;
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

TEST_F(Render, InitglSetsTheFixedFunctionStateEachTime)
{
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

// After a frame the model-view matrix is the camera itself, so the scene
// gave back the matrix it was handed.
TEST_F(Render, FrameLeavesTheCameraMatrix)
{
    TR = 2.5;
    ROTDX = 20;
    ROTDY = -35;
    FLYINGINDEX = 3;
    FLYPOSITION = 2.5f;
    FLYHEIGHT = 10.1f;
    DRAWGLSCENE();
    Matrix after = ModelView();
    glLoadIdentity();
    glTranslatef(0, 0, 2.5 - 40);
    glRotatef(20, 1, 0, 0);
    glRotatef(-35, 0, 1, 0);
    glTranslatef(-16.5, 0, -5.5);
    Matrix camera = ModelView();
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(after[i], camera[i], 1e-5) << i;
    GLint depth;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

// View values far beyond any turn or distance still make valid frames: the
// scene is turned, pushed past the far plane or put behind the eye.
TEST_F(Render, ExtremeViewValuesDrawWithoutError)
{
    const double values[][3] = {{50000, 49600, 24800}, {-1e6, 1e6, -25000}, {0, 0, 40}};
    for (const auto &v : values) {
        ROTDY = v[0];
        ROTDX = v[1];
        TR = v[2];
        DRAWGLSCENE();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << v[0] << " " << v[1] << " " << v[2];
        GLint depth;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
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
        {0, 0, 0.5, -0.25, 11, BASE, "left end of the base"},
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
        Vec4 c = PixelAt(ModelView(), p.x, p.y, p.z);
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
