"""Ending the real program while disks fly: Escape, a window-close request
and SIGTERM each end it within a second with status 0 and leave no window.
Before Escape, the view keys turn and move the picture mid-flight."""
import os
import signal
import sys
import unittest

from xsession import OnVirtualDisplay, ended_cleanly, project


def base_row(image):
    """The row of pixels through the front face of the base: it changes only
    when the camera moves, not when disks fly."""
    _, y = project((16.5, -0.25, 11.0), image.width, image.height)
    start = 3 * int(y) * image.width
    return image.raw[start:start + 3 * image.width]


class Ending(OnVirtualDisplay):

    def ends_at_once(self, how):
        """Starts the program, waits for its first picture, ends it by `how`,
        and checks status, output and windows."""
        program = self.start(BINARY)
        program.first_frame()
        how(program)
        ended_cleanly(program, program.wait(1))

    def test_view_keys_mid_flight_then_escape(self):
        def view_keys_then_escape(program):
            for key in ("Left", "Right", "Up", "Down", "a", "q"):
                before = base_row(program.frozen_screenshot())
                still = base_row(program.frozen_screenshot())
                self.assertEqual(still, before, "the base moved with no key held")
                program.hold_until(key, lambda picture: base_row(picture) != before)
            program.press("Escape")
        self.ends_at_once(view_keys_then_escape)

    def test_window_close_request_mid_flight(self):
        self.ends_at_once(lambda program: program.request_close())

    def test_sigterm_mid_flight(self):
        self.ends_at_once(lambda program: os.kill(program.proc.pid, signal.SIGTERM))


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
