// Scene constants: sizes in world units (one disk is one unit high),
// the initial video mode, the camera and the per-frame flight step.
#pragma once

constexpr int N = 7;                    // number of disks

constexpr int SCREENWIDTH = 640;        // initial video mode
constexpr int SCREENHEIGHT = 480;
constexpr int BITSPERPIXEL = 16;

constexpr double BIGDISKRADIUS = 5.0;   // outer radius of disk N
constexpr double LITTLEDISKRADIUS = 2.0; // outer radius of disk 1
constexpr double INNERRADIUS = 1.0;     // radius of every disk's hole
constexpr double DISKHEIGHT = 1.0;
constexpr double DISTDISKS = 0.1;       // gap under each disk of a stack
constexpr double PLUSBARHEIGHT = 0.5;   // peg tube above a full stack
constexpr double BARRADIUS = 0.9;
constexpr double BARDIST = 11.0;        // distance between neighbouring pegs
constexpr double ADD = 0.8;             // flight step per frame

// Vertical pitch of a stack: a disk and the gap above it.
constexpr double DISKPITCH = DISKHEIGHT + DISTDISKS;

// Height at which a disk rests on a stack of C disks: the underside of stack
// position C + 1, which is the gap under the lowest disk plus one pitch for
// each of the C disks below.
constexpr double RESTHEIGHT(int C) { return C * DISKPITCH + DISTDISKS; }

// Length of the tube of a peg for a set of COUNT disks: PLUSBARHEIGHT above
// a full stack.
constexpr double TUBEHEIGHT(int COUNT) { return COUNT * DISKPITCH + PLUSBARHEIGHT; }

// The x of the axis of peg I (1 to 3), in the middle of its third of the
// base; a fractional I lies between two pegs. Every peg stands at z = PEGZ.
constexpr double PEGX(double I) { return (I - 1) * BARDIST + BARDIST / 2; }
constexpr double PEGZ = BARDIST / 2;    // the middle of the base's depth

// The base: a slab BASETHICKNESS thick under the floor (y = 0), three
// peg distances wide and one deep.
constexpr double BASETHICKNESS = 0.5;

// The highest point of a peg: the tube of a full set with its cap, a sphere
// of the tube's radius, on top (9.1).
constexpr double PEGTOP = TUBEHEIGHT(N) + BARRADIUS;

// Height of a flying disk's underside while it travels sideways: 1.0 above
// every peg (10.1).
constexpr float FLIGHTALTITUDE = PEGTOP + 1.0;

// The camera: the eye VIEWDISTANCE from the pivot, the foot of peg 2, while
// TR is 0, far enough for the whole base to fit the vertical field of view
// of FOVY degrees; what lies between ZNEAR and ZFAR from the eye is drawn.
constexpr double VIEWDISTANCE = 40.0;
constexpr double FOVY = 45.0;
constexpr double ZNEAR = 0.1;
constexpr double ZFAR = 100.0;
