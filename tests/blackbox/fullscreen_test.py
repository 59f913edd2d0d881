"""F1 under a window manager: the picture goes full screen and back on a
second press, and again after twenty quick presses; the solution plays on,
and Escape ends with status 0."""
import sys
import time

from Xlib import X

from xsession import XServer, Duruv, kind, look, run_checks

BINARY = sys.argv[1]
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


def middle_column(image):
    """What the screen's middle column shows, from the top: the middle of
    the picture, wherever and at whatever scale SDL puts it."""
    return [kind(image.pixel(image.width // 2, y)) for y in range(image.height)]


def main():
    with XServer(window_manager=True) as xs:
        with Duruv(xs, BINARY) as program:
            program.find_window()
            time.sleep(0.3)
            root = xs.conn.screen().root.id

            def full_screen():
                program.press("F1")
                time.sleep(0.5)
                assert screen_covered(xs), "no full-screen window"
                image = program.frozen_screenshot(window=root)
                column = middle_column(image)
                assert "base" in column and "peg" in column, "no scene in the middle"
                assert image.pixel(5, 5) == (0, 0, 0), "the desktop still shows"

            def back_to_the_window():
                program.press("F1")
                time.sleep(0.5)
                assert not screen_covered(xs), "still full screen"
                assert program.geometry() == (640, 480), program.geometry()
                assert look(program.frozen_screenshot(), BASE) == "base", "no scene in the window"

            def twenty_presses():
                for _ in range(20):
                    program.press("F1")
                time.sleep(0.5)
                assert not screen_covered(xs), "an even number of presses left it full screen"
                assert look(program.frozen_screenshot(), BASE) == "base", "no scene in the window"

            def still_running_then_escape():
                assert program.proc.poll() is None, "the program ended"
                status = program.escape()
                assert status == 0, "status %s" % status

            return run_checks([("F1 goes full screen", full_screen),
                               ("F1 again comes back to the window", back_to_the_window),
                               ("twenty quick presses of F1", twenty_presses),
                               ("still running; Escape gives status 0", still_running_then_escape)])


if __name__ == "__main__":
    sys.exit(main())
