// The web build's gathering of immediate mode, with stand-ins that unfold each draw into triangles
// and a quadric that emits strips: what is drawn is what was asked for, however strips join and the store fills.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

extern "C" {
void __wrap_glBegin(GLenum mode);
void __wrap_glEnd(void);
void __wrap_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __wrap_gluCylinder(GLUquadric *quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                        GLint stacks);
}

namespace {

using Vertex = std::array<GLfloat, 6>;      // the normal, then the position, as the store keeps them
using Triangle = std::array<Vertex, 3>;

std::vector<Triangle> DRAWN;
std::vector<std::vector<Vertex>> STRIPS;    // what the quadric emits
const GLfloat *STORE;
int DRAWS;

// The triangles with an area that OpenGL makes of a strip or of quads.
std::vector<Triangle> Unfold(GLenum MODE, const std::vector<Vertex> &V)
{
    std::vector<Triangle> T;
    if (MODE == GL_QUADS)
        for (size_t I = 0; I + 3 < V.size(); I += 4)
            T.insert(T.end(), {Triangle{V[I], V[I + 1], V[I + 2]}, Triangle{V[I], V[I + 2], V[I + 3]}});
    else
        for (size_t I = 0; I + 2 < V.size(); I++)
            T.push_back(I % 2 ? Triangle{V[I + 1], V[I], V[I + 2]} : Triangle{V[I], V[I + 1], V[I + 2]});
    auto Flat = [](const Triangle &A) {
        auto Same = [](const Vertex &P, const Vertex &Q) { return std::equal(P.begin() + 3, P.end(), Q.begin() + 3); };
        return Same(A[0], A[1]) || Same(A[1], A[2]) || Same(A[0], A[2]);
    };
    T.erase(std::remove_if(T.begin(), T.end(), Flat), T.end());
    return T;
}

void Emit(GLenum MODE, const std::vector<Vertex> &V)
{
    __wrap_glBegin(MODE);
    for (const Vertex &X : V) {
        __wrap_glNormal3f(X[0], X[1], X[2]);
        __wrap_glVertex3f(X[3], X[4], X[5]);
    }
    __wrap_glEnd();
}

}  // namespace

extern "C" {
void glEnableClientState(GLenum) {}
void glDisableClientState(GLenum) {}
void glVertexPointer(GLint, GLenum, GLsizei, const void *) {}
void glNormalPointer(GLenum, GLsizei, const void *P) { STORE = static_cast<const GLfloat *>(P); }
void glDrawArrays(GLenum MODE, GLint, GLsizei COUNT)
{
    std::vector<Vertex> V(COUNT);
    for (int I = 0; I < COUNT; I++)
        std::copy_n(STORE + 6 * I, 6, V[I].begin());
    auto T = Unfold(MODE, V);
    DRAWN.insert(DRAWN.end(), T.begin(), T.end());
    DRAWS++;
}
void __real_glBegin(GLenum) {}
void __real_glEnd(void) {}
void __real_glNormal3f(GLfloat, GLfloat, GLfloat) {}
void __real_glTexCoord2f(GLfloat, GLfloat) {}
void __real_glVertex3f(GLfloat, GLfloat, GLfloat) {}
void __real_gluSphere(GLUquadric *, GLdouble, GLint, GLint) {}
void __real_gluCylinder(GLUquadric *, GLdouble, GLdouble, GLdouble, GLint, GLint)
{
    for (const auto &S : STRIPS)
        Emit(GL_TRIANGLE_STRIP, S);
}
}

TEST(Immediate, DrawsTheTrianglesAskedFor)
{
    constexpr int STOREFULL = 4096;
    // Strips come from a quadric, quads from glBegin/glEnd.
    static const struct { const char *WHAT; GLenum MODE; std::vector<int> LENGTHS; int DRAWS; } CASES[] = {
        {"a disk's wall: three stacks, one draw", GL_TRIANGLE_STRIP, {34, 34, 34}, 1},
        {"strips of odd lengths joined", GL_TRIANGLE_STRIP, {5, 7, 3, 4}, 1},
        {"stacks beyond the store", GL_TRIANGLE_STRIP, {2002, 2002, 2002}, 2},
        {"a join where the store fills", GL_TRIANGLE_STRIP, {STOREFULL - 1, 5}, 2},
        {"a strip beyond the store", GL_TRIANGLE_STRIP, {STOREFULL + 1000}, 2},
        {"quads beyond the store", GL_QUADS, {STOREFULL + 8}, 2},
    };
    for (const auto &C : CASES) {
        SCOPED_TRACE(C.WHAT);
        DRAWN.clear();
        STRIPS.clear();
        DRAWS = 0;
        std::vector<Triangle> ASKED;
        for (int LENGTH : C.LENGTHS) {
            STRIPS.emplace_back();
            for (int I = 0; I < LENGTH; I++)      // every vertex a place and a normal of its own
                STRIPS.back().push_back({0.5f, float(ASKED.size()), float(I), float(I), float(I % 7), float(STRIPS.size())});
            auto T = Unfold(C.MODE, STRIPS.back());
            ASKED.insert(ASKED.end(), T.begin(), T.end());
        }
        if (C.MODE == GL_TRIANGLE_STRIP)
            __wrap_gluCylinder(nullptr, 1, 1, 1, 16, 3);
        else
            Emit(C.MODE, STRIPS[0]);
        EXPECT_EQ(DRAWN, ASKED);
        EXPECT_EQ(DRAWS, C.DRAWS);
    }
}
