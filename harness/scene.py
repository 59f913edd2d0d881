"""The scene as the program draws it: its sizes, its camera and its colours,
and where a picture must show what."""
import math

WINDOW = (640, 480)         # the window's first size, in pixels
BARDIST = 11.0              # distance between neighbouring pegs
DISKHEIGHT = 1.0
DISTDISKS = 0.1             # the gap under the lowest disk
DISKPITCH = DISKHEIGHT + DISTDISKS  # a disk and the gap above it
N = 7
TUBEHEIGHT = N * DISKPITCH + 0.5    # a peg's tube: a full stack and half a unit above it
BASETHICKNESS = 0.5         # the base: a slab under the floor, 3 BARDIST wide, BARDIST deep
PIVOT = (1.5 * BARDIST, 0.0, BARDIST / 2)   # the foot of peg 2
VIEWDISTANCE = 40.0
FOVY = 45.0
BASE_FRONT = (PIVOT[0], -BASETHICKNESS / 2, BARDIST)     # the middle of the base's front face


def peg_x(peg):
    return (peg - 1) * BARDIST + BARDIST / 2


def disk_point(peg, position):
    """A point inside the disk at stack position 1 (bottom) to 7, off the peg."""
    return (peg_x(peg) - 1.6, DISTDISKS + DISKHEIGHT / 2 + DISKPITCH * (position - 1), PIVOT[2])


def peg_point(peg, y):
    return (peg_x(peg), y, PIVOT[2])


def project(point, width, height, tr=0.0, rotdx=0.0, rotdy=0.0):
    """Window pixel (from the top left) of a world point under the program's camera."""
    x, y, z = (p - c for p, c in zip(point, PIVOT))
    a = math.radians(rotdy)
    x, z = x * math.cos(a) + z * math.sin(a), -x * math.sin(a) + z * math.cos(a)
    a = math.radians(rotdx)
    y, z = y * math.cos(a) - z * math.sin(a), y * math.sin(a) + z * math.cos(a)
    z += tr - VIEWDISTANCE
    f = 1.0 / math.tan(math.radians(FOVY / 2))
    ndc_x, ndc_y = f / (width / max(height, 1)) * x / -z, f * y / -z
    return (ndc_x + 1) / 2 * width, (1 - ndc_y) / 2 * height


# The colour classes, by one rule that the GL tests state in C++ too. The
# framebuffer asked for has 5 bits a channel, so a channel is known to one
# level (STEP); white light adds the same to every channel, so a material
# shows in the differences between channels, scaled by the light: the base
# (0.6, 0.4, 0.0) red over green over blue, the disks (0.3, 0.7, 0.6) to
# (0.0, 0.5, 0.6) green and blue over red, the pegs (0.5, 0.5, 0.6) red and
# green alike, blue no less. A difference counts beyond MARGIN, which no
# rounding or dithering of two channels reaches; a peg is at least as bright
# as the global ambient light (0.3) makes its red, less a level.
STEP = 1 / 31
MARGIN = 3 * STEP
PEG_LEAST_RED = 0.3 * 0.5 - STEP


def kind(rgb):
    """What a pixel (8-bit channels) shows: 'black', 'base', 'peg', 'disk' or 'other'."""
    r, g, b = (c / 255 for c in rgb)
    if max(r, g, b) < STEP:
        return "black"
    if r - g > MARGIN and g - b > MARGIN:
        return "base"
    if g - r > MARGIN and b - r > MARGIN:
        return "disk"
    if abs(r - g) < STEP and b >= r and r > PEG_LEAST_RED:
        return "peg"
    return "other"


def look(image, point, size=None, **camera):
    """What the image shows at a world point in a window of `size`."""
    return kind(image.pixel(*project(point, *(size or (image.width, image.height)), **camera)))


def scene_fills(image, size=None, **camera):
    """Failures (empty when none) of: the lit scene fills a window of `size`:
    the base's front, two of three pegs' tops (a disk may pass in front of
    one) and the black corner."""
    failures = [] if look(image, BASE_FRONT, size, **camera) == "base" else ["the base's front"]
    tops = [look(image, peg_point(p, TUBEHEIGHT - 0.2), size, **camera) for p in (1, 2, 3)]
    if tops.count("peg") < 2:
        failures.append("the tops of the pegs show %s" % ", ".join(tops))
    if kind(image.pixel(2, 2)) != "black":
        failures.append("the top left corner")
    return failures


def tower_on(image, peg):
    """Failures (empty when none) of: all seven disks on peg, none on the others."""
    return ["peg %d position %d shows %s" % (p, k, seen)
            for p in range(1, 4) for k in range(1, N + 1)
            for seen in [look(image, disk_point(p, k))]
            if seen != ("disk" if p == peg else "black")]
