"""Makes the program's icons from its own picture: the finished tower, cut
square out of the window on a virtual display, its black background made
transparent, scaled to each hicolor size and to the web page's. Rerun after a
change to the scene:

    build/python3 -m tools.make-icons build/duruv

and commit what it writes under data/icons/ and web/icons/."""
import os
import subprocess
import sys
import tempfile

from harness import about
from harness.display import XServer
from harness.program import Duruv
from harness.scene import PIVOT, WINDOW, project

SIZES = (16, 24, 32, 48, 64, 128, 256)     # the sizes every package carries
WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web", "icons")
WEB_SIZES = (192, 512)                      # a home screen's, for the web page
# A square of the first window, centred on the middle peg, from just above
# its top to just under the base: SIDE pixels, BELOW of them under the
# pivot, the peg's foot.
SIDE, BELOW = 190, 32
PIVOT_X, PIVOT_Y = project(PIVOT, *WINDOW)
CROP = "%dx%d+%d+%d" % (SIDE, SIDE, PIVOT_X - SIDE // 2, PIVOT_Y + BELOW - SIDE)


def main(binary):
    with tempfile.TemporaryDirectory() as work:
        picture = os.path.join(work, "finished.png")
        with XServer() as xs:
            program = Duruv(xs, binary)
            program.start_up()
            program.finished()
            program.frozen_screenshot(picture)
            program.escape()
        targets = [(size, os.path.join(about.HICOLOR, about.icon(size))) for size in SIZES]
        targets += [(size, os.path.join(WEB, "icon-%d.png" % size)) for size in WEB_SIZES]
        for size, target in targets:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            # No time stamps or other metadata, so that a rerun on an
            # unchanged scene writes the same files.
            subprocess.run(["convert", picture, "-crop", CROP, "+repage",
                            "-fuzz", "3%", "-transparent", "black",
                            "-resize", "%dx%d" % (size, size), "-strip",
                            target], check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
