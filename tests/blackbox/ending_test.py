"""Ending the real program while disks fly: Escape, a window-close request
and SIGTERM each end it with status 0 and leave no window. Before Escape,
the view keys turn and move the picture mid-flight."""
import os
import signal

from harness.program import OnVirtualDisplay
from harness.scene import BASE_FRONT, project
from harness import wine


def base_row(image):
    """The row through the base's front: it changes when the camera moves."""
    return image.row(project(BASE_FRONT, image.width, image.height)[1])


def still_base_row(program):
    """The base's row once the program has taken the last key's release (under
    Wine 10 that takes more than two frames)."""
    rows = [base_row(program.picture_after(1))]

    def still():
        rows.append(base_row(program.picture_after(1)))
        return rows[-1] if rows[-1] == rows[-2] else None
    return program.until(still, "the view stands still")


def view_keys_then_escape(program):
    for key in ("Left", "Right", "Up", "Down", "a", "q"):
        before = still_base_row(program)
        if base_row(program.picture_after(1)) != before:
            raise AssertionError("the base moved with no key held")
        program.hold_until(key, lambda picture: base_row(picture) != before)
    program.press("Escape")


class Ending(OnVirtualDisplay):

    def test_each_way_out_mid_flight(self):
        for name, how in (("view keys, then Escape", view_keys_then_escape),
                          ("a window-close request", lambda program: program.request_close()),
                          ("SIGTERM", lambda program: os.kill(program.proc.pid, signal.SIGTERM))):
            with self.subTest(name):
                if name == "SIGTERM" and wine.cannot("SIGTERM"):
                    self.skipTest(wine.cannot("SIGTERM"))
                with self.start() as program:     # ended before the next way out is tried
                    how(program)
                    program.ended_cleanly(program.wait())
