"""F1 under a window manager: the picture goes full screen and back on a
second press, and again after twenty quick presses; the solution plays on,
and Escape ends with status 0."""
import sys
import time
import unittest

from Xlib import X

from xsession import OnVirtualDisplay, kind, look

BASE = (16.5, -0.25, 11.0)      # a point on the front face of the base


def screen_covered(xs):
    """Whether a mapped window covers the whole screen: classic SDL 1.2 draws
    into an override-redirect window of its own, SDL2 (under sdl12-compat)
    asks the window manager to make its window full screen."""
    screen = xs.conn.screen()
    size = (screen.width_in_pixels, screen.height_in_pixels)
    for top in screen.root.query_tree().children:
        for w in [top] + top.query_tree().children:
            geometry = w.get_geometry()
            if (w.get_attributes().map_state == X.IsViewable and
                    (geometry.width, geometry.height) == size):
                return True
    return False


def settles(program, predicate, timeout=5.0, steady=0.5):
    """Whether predicate() comes true within timeout seconds and stays true
    for `steady` seconds, while the program runs: the window manager carries
    out full-screen changes in its own time, later still after many quick
    presses."""
    deadline = time.time() + timeout
    since = None
    while time.time() < deadline:
        program.check_running()
        if not predicate():
            since = None
        elif since is None:
            since = time.time()
        elif time.time() - since >= steady:
            return True
        time.sleep(0.1)
    return False


def middle_column(image):
    """What the screen's middle column shows, from the top: the middle of
    the picture, wherever and at whatever scale SDL puts it."""
    return [kind(image.pixel(image.width // 2, y)) for y in range(image.height)]


class FullScreen(OnVirtualDisplay):

    def setUp(self):
        self.program = self.start(BINARY)
        self.program.first_frame()

    def press_f1(self, times):
        """Presses F1 `times` times, ten a second, as quick as a hand repeats
        a key: SDL2 under sdl12-compat skips a full-screen request made while
        it has not yet heard the window manager carry out the one before, so
        presses with no time between them end either way there."""
        for _ in range(times):
            self.program.press("F1")
            time.sleep(0.1)

    def assert_windowed_then_escape(self):
        """The scene is back in its 640 x 480 window, the program still runs,
        and Escape ends it with status 0."""
        self.assertTrue(settles(self.program, lambda: not screen_covered(self.xs)), "still full screen")
        self.assertTrue(settles(self.program, lambda: self.program.geometry() == (640, 480)),
                        "window is %s x %s" % self.program.geometry())
        self.assertEqual(look(self.program.frozen_screenshot(), BASE), "base", "no scene in the window")
        self.assertIsNone(self.program.proc.poll(), "the program ended")
        self.assertEqual(self.program.escape(), 0)

    def test_f1_goes_full_screen(self):
        self.press_f1(1)
        self.assertTrue(settles(self.program, lambda: screen_covered(self.xs)), "no full-screen window")
        image = self.program.frozen_screenshot(window=self.xs.conn.screen().root.id)
        column = middle_column(image)
        self.assertTrue("base" in column and "peg" in column, "no scene in the middle")
        self.assertEqual(image.pixel(5, 5), (0, 0, 0), "the (white) desktop still shows")

    def test_f1_again_comes_back_to_the_window(self):
        self.press_f1(1)
        self.assertTrue(settles(self.program, lambda: screen_covered(self.xs)), "no full-screen window")
        self.press_f1(1)
        self.assert_windowed_then_escape()

    def test_twenty_quick_presses_end_in_the_window(self):
        self.press_f1(20)
        self.assert_windowed_then_escape()


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
