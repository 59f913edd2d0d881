"""Resizing the real program's window through the window manager while the
solution plays: the scene fills each new drawable area, and the run goes on
to the finished tower."""
import sys
import unittest

from xsession import OnVirtualDisplay, finishes_on_peg_2_then_escape, look

# Points of the base's front face, at its middle and just inside its ends,
# and points just beyond its ends: where they fall depends on the viewport
# and the projection fitted to the new size.
BASE_POINTS = [(16.5, -0.25, 11.0), (0.5, -0.25, 11.0), (32.5, -0.25, 11.0)]
BEYOND_POINTS = [(-0.6, -0.25, 11.0), (33.6, -0.25, 11.0), (16.5, -0.8, 11.0)]


class Resize(OnVirtualDisplay):

    def setUp(self):
        self.program = self.start(BINARY)

    def resize_and_check(self, width, height):
        """Resizes the window; the base is drawn where the projection for the
        new size puts it, and nothing beyond its ends."""
        program = self.program
        program.resize(width, height)
        program.until(lambda: program.geometry() == (width, height), 5, "the window takes the size")
        fitted = lambda image: (image.width, image.height) == (width, height) and \
            all(look(image, p) == "base" for p in BASE_POINTS) and \
            all(look(image, p) == "black" for p in BEYOND_POINTS)
        program.until(lambda: fitted(program.frozen_screenshot()), 5, "the scene fits %dx%d" % (width, height))

    def test_resized_to_800x600(self):
        self.resize_and_check(800, 600)

    def test_resized_to_240x180(self):
        self.resize_and_check(240, 180)

    def test_tower_on_peg_2_after_resizes_then_escape(self):
        self.resize_and_check(800, 600)
        self.resize_and_check(240, 180)
        finishes_on_peg_2_then_escape(self.program)


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
