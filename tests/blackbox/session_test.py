"""Whole runs of the real program under a window manager, as a user sees
them: the window, the first picture, the solution played to the end, the
view keys afterwards, stray keys and the mouse, and Escape. Each check
starts a program of its own."""
import os
import sys
import unittest

from xsession import (OnVirtualDisplay, ended_cleanly, look, disk_point, peg_point, tower_on,
                      wait_until_still)


class Session(OnVirtualDisplay):

    def test_window_640x480_captioned_and_resizable(self):
        program = self.start(BINARY)
        self.assertEqual(program.geometry(), (640, 480))
        self.assertTrue(program.resizable(), "the size hints set a maximum size")
        suite, loaded = os.environ.get("DURUV_SUITE", "blackbox"), program.sdl_loaded()
        print("The %s suite ran %s" % (suite, loaded), file=sys.stderr)
        if suite == "sdl12-compat":
            self.assertTrue(loaded.startswith("sdl12-compat"), loaded)

    def test_first_picture_shows_the_tower_on_peg_1(self):
        image = self.start(BINARY).first_frame()
        for k in range(1, 7):       # disk 1 may already be rising
            self.assertEqual(look(image, disk_point(1, k)), "disk", "position %d" % k)
        for peg in (2, 3):
            self.assertEqual(look(image, disk_point(peg, 1)), "black", "a disk on peg %d" % peg)
            self.assertEqual(look(image, peg_point(peg, 4.0)), "peg", "peg %d" % peg)
        self.assertEqual(look(image, (16.5, -0.25, 11.0)), "base")

    def test_whole_run_ends_with_the_tower_on_peg_2(self):
        failures = tower_on(wait_until_still(self.start(BINARY)), 2)
        self.assertFalse(failures, "; ".join(failures))

    def test_view_keys_change_the_picture_after_the_end(self):
        program = self.start(BINARY)
        end = wait_until_still(program)
        for key in ("Left", "Right", "Up", "Down", "a", "q"):
            program.hold_until(key, lambda picture: picture != end)
            end = wait_until_still(program, timeout=5, interval=0.1)
        self.assertIsNone(program.proc.poll(), "the program ended by itself")

    def test_1000_stray_keys_and_the_mouse_change_nothing(self):
        program = self.start(BINARY)
        end = wait_until_still(program)
        keys = ([c for c in "bcdefghijklmnoprstuvwxyz0123456789"] +
                ["Shift_L", "Control_L", "Alt_L", "Super_L", "Caps_Lock", "space",
                 "Return", "Tab", "BackSpace", "Home", "End", "Prior", "Next"] +
                ["F%d" % n for n in range(2, 13)])
        presses = [keys[i % len(keys)] for i in range(1000)]
        w = str(program.window)
        for start in range(0, len(presses), 250):
            self.xs.run("xdotool", "key", "--window", w, "--delay", "0",
                        *presses[start:start + 250])
        for x, y in ((10, 10), (320, 240), (600, 400), (100, 300)):
            self.xs.run("xdotool", "mousemove", "--window", w, str(x), str(y),
                        "click", "1", "click", "3", "click", "4", "click", "5")
        after = wait_until_still(program, timeout=10, interval=0.1)
        self.assertEqual(after, end, "stray keys or the mouse changed the picture")
        self.assertIsNone(program.proc.poll(), "the program ended")

    def test_escape_after_the_end_gives_status_0(self):
        program = self.start(BINARY)
        wait_until_still(program)
        ended_cleanly(program, program.escape())


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
