// The design's numbers, stated once for the C++ tests, so that no test takes
// its expectation from the program's own constants (harness/scene.py
// states them for the Python tests); scene_test.cpp checks the program's
// constants against them.
#pragma once

namespace design {

constexpr int N = 7;                    // disks
constexpr int SCREENWIDTH = 640;        // the first video mode
constexpr int SCREENHEIGHT = 480;
constexpr int BITSPERPIXEL = 16;

constexpr double BIGDISKRADIUS = 5.0;
constexpr double LITTLEDISKRADIUS = 2.0;
constexpr double INNERRADIUS = 1.0;
constexpr double DISKHEIGHT = 1.0;
constexpr double DISTDISKS = 0.1;       // the gap under each disk of a stack
constexpr double PLUSBARHEIGHT = 0.5;   // a peg's tube above a full stack
constexpr double BARRADIUS = 0.9;
constexpr double BARDIST = 11.0;        // between neighbouring pegs
constexpr double ADD = 0.8;             // the flight's step per frame
constexpr double BASETHICKNESS = 0.5;   // the slab under the floor

constexpr double DISKPITCH = DISKHEIGHT + DISTDISKS;
// The underside of a disk on a stack of C disks.
constexpr double RESTHEIGHT(int C) { return C * DISKPITCH + DISTDISKS; }
// A peg's tube for COUNT disks.
constexpr double TUBEHEIGHT(int COUNT) { return COUNT * DISKPITCH + PLUSBARHEIGHT; }
// The axis of peg I (1 to 3; a fractional I lies between pegs) at z = PEGZ.
constexpr double PEGX(double I) { return (I - 1) * BARDIST + BARDIST / 2; }
constexpr double PEGZ = BARDIST / 2;

constexpr double PEGTOP = 9.1;          // a tube 8.2 tall with its cap of radius 0.9
constexpr float FLIGHTALTITUDE = 10.1f; // 1.0 above every peg

constexpr double VIEWDISTANCE = 40.0;   // the eye from the foot of peg 2
constexpr double FOVY = 45.0;           // degrees
constexpr double ZNEAR = 0.1;
constexpr double ZFAR = 100.0;

}  // namespace design
