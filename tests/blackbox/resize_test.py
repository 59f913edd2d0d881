"""Resizing the real program's window through the window manager while the
solution plays: the scene fills each new drawable area, and the run goes on
to the finished tower."""
import sys
import time

from xsession import XServer, Duruv, ends_on_peg_2, look, run_checks

BINARY = sys.argv[1]
BASE_POINTS = [(16.5, -0.25, 11.0), (0.5, -0.25, 11.0), (32.5, -0.25, 11.0)]


def main():
    with XServer(window_manager=True) as xs:
        with Duruv(xs, BINARY) as program:
            program.find_window()

            def resized_to(width, height):
                def check():
                    program.resize(width, height)
                    deadline = time.time() + 5
                    while program.geometry() != (width, height) and time.time() < deadline:
                        time.sleep(0.05)
                    assert program.geometry() == (width, height), program.geometry()
                    time.sleep(0.2)
                    image = program.frozen_screenshot()
                    for point in BASE_POINTS:
                        assert look(image, point) == "base", "no base at %s" % (point,)
                    for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
                        assert image.pixel(x, y) == (0, 0, 0), "corner %d,%d not black" % (x, y)
                    assert program.proc.poll() is None, "the program ended"
                return check

            return run_checks([("resized to 800x600", resized_to(800, 600)),
                               ("resized to 240x180", resized_to(240, 180)),
                               ("tower on peg 2 at the new size; Escape gives 0",
                                lambda: ends_on_peg_2(program))])


if __name__ == "__main__":
    sys.exit(main())
