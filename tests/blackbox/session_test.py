"""One whole run of the real program under a window manager, as a user sees
it: the window, the first picture, the solution played to the end, stray
keys and the mouse, the view keys afterwards, and Escape."""
import os

from harness.program import OnVirtualDisplay
from harness.scene import BASE_FRONT, WINDOW, disk_point, look, peg_point

STRAY_KEYS = (list("bcdefghijklmnoprstuvwxyz0123456789") +
              ["Shift_L", "Control_L", "Alt_L", "Super_L", "Caps_Lock", "space", "Return", "Tab",
               "BackSpace", "Home", "End", "Prior", "Next"] + ["F%d" % n for n in range(2, 13)])


class Session(OnVirtualDisplay):

    def test_whole_run(self):
        program = self.start()
        with self.subTest("a resizable 640 x 480 window"):
            self.assertEqual(program.geometry(), WINDOW)
            self.assertTrue(program.resizable(), "the size hints set a maximum size")
        with self.subTest("the SDL 1.2 of the suite"):
            loaded = program.sdl_loaded()
            if os.environ.get("DURUV_SDL_REPORT"):
                with open(os.environ["DURUV_SDL_REPORT"], "w") as f:
                    f.write(loaded + "\n")
            if os.environ.get("DURUV_SUITE") == "sdl12-compat":
                self.assertTrue(loaded.startswith("sdl12-compat"), loaded)

        with self.subTest("the first picture shows the tower on peg 1"):
            image = program.first_picture
            for k in range(1, 7):       # disk 1 may already be rising
                self.assertEqual(look(image, disk_point(1, k)), "disk", "position %d" % k)
            for peg in (2, 3):
                self.assertEqual(look(image, disk_point(peg, 1)), "black", "a disk on peg %d" % peg)
                self.assertEqual(look(image, peg_point(peg, 4.0)), "peg", "peg %d" % peg)
            self.assertEqual(look(image, BASE_FRONT), "base")

        end = program.finished()
        with self.subTest("1000 stray keys and the mouse change nothing"):
            w = str(program.window)
            presses = [STRAY_KEYS[i % len(STRAY_KEYS)] for i in range(1000)]
            for start in range(0, len(presses), 250):
                self.xs.run("xdotool", "key", "--window", w, "--delay", "0", *presses[start:start + 250])
            for x, y in ((10, 10), (320, 240), (600, 400), (100, 300)):
                self.xs.run("xdotool", "mousemove", "--window", w, str(x), str(y),
                            "click", "1", "click", "3", "click", "4", "click", "5")
            self.assertEqual(program.finished(), end, "stray keys or the mouse changed the picture")

        with self.subTest("the view keys turn the finished scene"):
            for key in ("Left", "Right", "Up", "Down", "a", "q"):
                program.hold_until(key, lambda picture: picture != end)
                end = program.still()
        program.ended_cleanly(program.escape())
