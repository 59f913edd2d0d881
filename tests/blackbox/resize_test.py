"""Resizing the real program's window through the window manager while the
solution plays: the scene fills each new drawable area, and the run goes on
to the finished tower."""
import sys
import time
import unittest

from xsession import OnVirtualDisplay, Duruv, ends_on_peg_2, look

BASE_POINTS = [(16.5, -0.25, 11.0), (0.5, -0.25, 11.0), (32.5, -0.25, 11.0)]


class Resize(OnVirtualDisplay):

    def setUp(self):
        self.program = Duruv(self.xs, BINARY)
        self.addCleanup(self.program.kill)
        self.program.find_window()

    def resize_and_check(self, width, height):
        """Resizes the window; the base fills the new width, the corners are
        black, and the program plays on."""
        program = self.program
        program.resize(width, height)
        deadline = time.time() + 5
        while program.geometry() != (width, height) and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(program.geometry(), (width, height))
        time.sleep(0.2)
        image = program.frozen_screenshot()
        for point in BASE_POINTS:
            self.assertEqual(look(image, point), "base", "at %s" % (point,))
        for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
            self.assertEqual(image.pixel(x, y), (0, 0, 0), "corner %d,%d" % (x, y))
        self.assertIsNone(program.proc.poll(), "the program ended")

    def test_resized_to_800x600(self):
        self.resize_and_check(800, 600)

    def test_resized_to_240x180(self):
        self.resize_and_check(240, 180)

    def test_tower_on_peg_2_after_resizes_then_escape(self):
        self.resize_and_check(800, 600)
        self.resize_and_check(240, 180)
        ends_on_peg_2(self.program)


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
