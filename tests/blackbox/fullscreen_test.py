"""F1 under a window manager: the picture goes full screen and back on a
second press, and again after twenty quick presses; the solution plays on,
and Escape ends with status 0."""
import time

from Xlib import X

from harness.display import find_window
from harness.program import OnVirtualDisplay
from harness.scene import WINDOW, kind, scene_fills
from harness.wait import steadily
from harness import wine

SETTLED = 0.5               # seconds a window manager's change must hold


def screen_covered(xs):
    """Whether a window that shows something (not Wine's input-only one) covers the screen."""
    screen = xs.conn.screen()
    size = (screen.width_in_pixels, screen.height_in_pixels)

    def covers(w):
        geometry, attributes = w.get_geometry(), w.get_attributes()
        return (attributes.map_state == X.IsViewable and attributes.win_class == X.InputOutput and
                (geometry.width, geometry.height) == size)
    return find_window(xs.conn, covers) is not None


class FullScreen(OnVirtualDisplay):

    def press_f1(self, times):
        # Ten a second, as a hand repeats a key: SDL2 skips a request made
        # before the window manager has carried out the one before.
        for _ in range(times):
            self.program.press("F1")
            time.sleep(0.1)

    def settles(self, predicate, what):
        self.program.until(steadily(predicate, SETTLED), what)

    def fills(self, shot, what, size=None):
        # A busy program draws its first frame at a new size some time after the window has it.
        self.program.until(lambda: not scene_fills(shot(), size), what)

    def assert_windowed(self):
        self.settles(lambda: not screen_covered(self.xs), "the window leaves full screen")
        self.settles(lambda: self.program.geometry() == WINDOW, "the window is 640 x 480 again")
        self.fills(self.program.frozen_screenshot, "the scene fills the window")

    def assert_full_screen(self):
        """The scene fills the screen; classic SDL 1.2, which cannot change a
        virtual display's mode, fills the window's size amid a black screen."""
        self.settles(lambda: screen_covered(self.xs), "a full-screen window")
        screen = self.xs.conn.screen()
        size = (screen.width_in_pixels, screen.height_in_pixels)

        def whole_screen():
            return self.program.frozen_screenshot(window=screen.root.id)
        if wine.FRAMED_FULL_SCREEN:
            self.assertEqual(self.program.geometry(), size)
            self.fills(self.program.frozen_screenshot, "the scene fills the screen", size)
        elif self.program.sdl_loaded().startswith("classic"):
            self.assertEqual(kind(whole_screen().pixel(5, 5)), "black", "the (white) desktop still shows")
            middle = ((size[0] - WINDOW[0]) // 2, (size[1] - WINDOW[1]) // 2) + WINDOW
            self.fills(lambda: whole_screen().crop(*middle), "the scene fills the middle of the screen")
        else:
            self.fills(whole_screen, "the scene fills the screen")

    def test_f1_to_full_screen_and_back_then_twenty_quick_presses(self):
        if wine.cannot("full screen"):
            self.skipTest(wine.cannot("full screen"))
        self.program = self.start()
        self.press_f1(1)
        self.assert_full_screen()
        self.press_f1(1)
        self.assert_windowed()
        self.press_f1(20)
        self.assert_windowed()
        self.assertEqual(self.program.escape(), 0)
