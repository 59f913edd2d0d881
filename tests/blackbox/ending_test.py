"""Ending the real program while disks fly: Escape, a window-close request
and SIGTERM each end it within a second with status 0 and leave no window.
Before Escape, the view keys turn and move the picture mid-flight."""
import os
import signal
import sys
import time

from xsession import XServer, Duruv, project, run_checks

BINARY = sys.argv[1]


def base_row(image):
    """The row of pixels through the front face of the base: it changes only
    when the camera moves, not when disks fly."""
    _, y = project((16.5, -0.25, 11.0), image.width, image.height)
    start = 3 * int(y) * image.width
    return image.raw[start:start + 3 * image.width]


def ends_at_once(xs, how):
    """Starts the program, lets it play a second, ends it by `how`, and
    checks status and windows."""
    program = Duruv(xs, BINARY)
    try:
        program.find_window()
        time.sleep(1.0)
        assert program.proc.poll() is None, "the program ended by itself"
        how(program)
        status = program.wait(1)
        assert status == 0, "status %s" % status
        windows = xs.run("xdotool", "search", "--name", "^Duruv$", check=False)
        assert windows.strip() == "", "a window remains"
        assert program.output() == (b"", b""), program.output()
    finally:
        program.kill()


def view_keys_then_escape(program):
    for key in ("Left", "Right", "Up", "Down", "a", "q"):
        before = base_row(program.frozen_screenshot())
        still = base_row(program.frozen_screenshot())
        assert still == before, "the base moved with no key held"
        program.press(key, hold=0.05)
        after = base_row(program.frozen_screenshot())
        assert after != before, key + " did not move the view"
    program.press("Escape")


def main():
    with XServer(window_manager=True) as xs:
        return run_checks([
            ("view keys mid-flight, then Escape: status 0",
             lambda: ends_at_once(xs, view_keys_then_escape)),
            ("window-close request mid-flight: status 0",
             lambda: ends_at_once(xs, lambda p: p.request_close())),
            ("SIGTERM mid-flight: status 0",
             lambda: ends_at_once(xs, lambda p: os.kill(p.proc.pid, signal.SIGTERM))),
        ])


if __name__ == "__main__":
    sys.exit(main())
