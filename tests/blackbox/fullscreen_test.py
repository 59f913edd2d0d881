"""F1 under a window manager: the picture goes full screen and back on a
second press, the solution plays on, and Escape ends with status 0."""
import sys
import time

from Xlib import X

from xsession import XServer, Duruv, kind, look, project, run_checks

BINARY = sys.argv[1]
BASE = (16.5, -0.25, 11.0)      # a point on the front face of the base


def screen_covered(xs):
    """Whether a mapped override-redirect window covers the whole screen, as
    SDL's full-screen window does."""
    screen = xs.conn.screen()
    for w in screen.root.query_tree().children:
        attributes = w.get_attributes()
        geometry = w.get_geometry()
        if (attributes.override_redirect and attributes.map_state == X.IsViewable and
                (geometry.width, geometry.height) ==
                (screen.width_in_pixels, screen.height_in_pixels)):
            return True
    return False


def main():
    with XServer(window_manager=True) as xs:
        program = Duruv(xs, BINARY)
        program.find_window()
        time.sleep(0.3)
        root = xs.conn.screen().root.id

        def full_screen():
            program.press("F1")
            time.sleep(0.5)
            assert screen_covered(xs), "no full-screen window"
            image = program.frozen_screenshot(window=root)
            # The 640 x 480 picture sits in the middle of the black screen.
            x, y = project(BASE, 640, 480)
            dx, dy = (image.width - 640) // 2, (image.height - 480) // 2
            assert kind(image.pixel(x + dx, y + dy)) == "base", "no scene in the middle"
            assert image.pixel(5, 5) == (0, 0, 0), "the desktop still shows"

        def back_to_the_window():
            program.press("F1")
            time.sleep(0.5)
            assert not screen_covered(xs), "still full screen"
            assert program.geometry() == (640, 480), program.geometry()
            assert look(program.frozen_screenshot(), BASE) == "base", "no scene in the window"

        def still_running_then_escape():
            assert program.proc.poll() is None, "the program ended"
            program.key_down("Escape")
            status = program.wait(1)
            program.key_up("Escape")
            assert status == 0, "status %s" % status

        status = run_checks([("F1 goes full screen", full_screen),
                             ("F1 again comes back to the window", back_to_the_window),
                             ("still running; Escape gives status 0", still_running_then_escape)])
        program.kill()
        return status


if __name__ == "__main__":
    sys.exit(main())
