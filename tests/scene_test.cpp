// The program's scene constants against the design's numbers.
#include "common/scene.h"

#include "design.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Scene, ConstantsAreTheDesigns)
{
    EXPECT_EQ(std::tuple(N, SCREENWIDTH, SCREENHEIGHT, BITSPERPIXEL),
              std::tuple(design::N, design::SCREENWIDTH, design::SCREENHEIGHT, design::BITSPERPIXEL));
    const struct {
        const char *name;
        double program, design;
    } cases[] = {
        {"BIGDISKRADIUS", BIGDISKRADIUS, design::BIGDISKRADIUS},
        {"LITTLEDISKRADIUS", LITTLEDISKRADIUS, design::LITTLEDISKRADIUS},
        {"INNERRADIUS", INNERRADIUS, design::INNERRADIUS},
        {"DISKHEIGHT", DISKHEIGHT, design::DISKHEIGHT},
        {"DISTDISKS", DISTDISKS, design::DISTDISKS},
        {"PLUSBARHEIGHT", PLUSBARHEIGHT, design::PLUSBARHEIGHT},
        {"BARRADIUS", BARRADIUS, design::BARRADIUS},
        {"BARDIST", BARDIST, design::BARDIST},
        {"ADD", ADD, design::ADD},
        {"BASETHICKNESS", BASETHICKNESS, design::BASETHICKNESS},
        {"RESTHEIGHT(0)", RESTHEIGHT(0), design::RESTHEIGHT(0)},
        {"RESTHEIGHT(6)", RESTHEIGHT(6), design::RESTHEIGHT(6)},
        {"TUBEHEIGHT(N)", TUBEHEIGHT(N), design::TUBEHEIGHT(design::N)},
        {"PEGX(1)", PEGX(1), design::PEGX(1)},
        {"PEGX(2.5)", PEGX(2.5), design::PEGX(2.5)},
        {"PEGX(3)", PEGX(3), design::PEGX(3)},
        {"PEGZ", PEGZ, design::PEGZ},
        {"PEGTOP", PEGTOP, design::PEGTOP},
        {"FLIGHTALTITUDE", FLIGHTALTITUDE, design::FLIGHTALTITUDE},
        {"VIEWDISTANCE", VIEWDISTANCE, design::VIEWDISTANCE},
        {"FOVY", FOVY, design::FOVY},
        {"ZNEAR", ZNEAR, design::ZNEAR},
        {"ZFAR", ZFAR, design::ZFAR},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(c.program, c.design) << c.name;
}
