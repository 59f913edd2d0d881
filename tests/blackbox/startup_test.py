"""Start-up whatever the surroundings: with any standard stream closed, full
or a pipe nobody reads (Mesa writes on standard error meanwhile), it plays
and Escape gives 0; without a display for an OpenGL window, one line on
standard error says why and the status is 1, also on a terminal; the first
window at the scale the desktop publishes in Xft.dpi."""
import os
import pty
import subprocess
import unittest

from Xlib import Xatom

from harness.display import XServer
from harness.program import Duruv, OnVirtualDisplay
from harness.scene import WINDOW, scene_fills
from harness.wait import PATIENCE

BINARY = os.environ.get("DURUV_BINARY")


def closing(*fds):
    return lambda: [os.close(fd) for fd in fds]


class Streams(OnVirtualDisplay):

    def test_window_and_escape_whatever_the_streams(self):
        read_end, write_end = os.pipe()
        os.close(read_end)              # a pipe that nobody reads
        self.addCleanup(os.close, write_end)
        full = open("/dev/full", "wb")
        self.addCleanup(full.close)
        cases = {
            "standard input closed": dict(preexec_fn=closing(0)),
            "standard output closed": dict(preexec_fn=closing(1)),
            "standard error closed": dict(preexec_fn=closing(2)),
            "all three closed": dict(preexec_fn=closing(0, 1, 2)),
            "output and error on /dev/full": dict(stdout=full, stderr=full),
            "output and error on a pipe nobody reads": dict(stdout=write_end, stderr=write_end),
        }
        for name, streams in cases.items():
            with self.subTest(name):
                program = self.start(env=dict(self.xs.env, LIBGL_DEBUG="verbose"), **streams)
                self.assertEqual(program.escape(), 0)


def run_on_a_terminal(env):
    """Status and everything written, with both streams on a terminal."""
    controller, terminal = pty.openpty()
    program = subprocess.Popen([BINARY], env=env, stdout=terminal, stderr=terminal)
    os.close(terminal)
    status, written = program.wait(PATIENCE), b""     # its line fits in the terminal's buffer
    try:
        while chunk := os.read(controller, 4096):
            written += chunk
    except OSError:                 # the terminal's other end is closed: all is read
        pass
    os.close(controller)
    return status, written


class NoDisplay(unittest.TestCase):

    def test_each_case_prints_its_reason_in_one_line(self):
        no_glx = XServer(glx=False)
        self.addCleanup(no_glx.stop)
        cases = [
            ("DISPLAY unset", no_glx.environment(DISPLAY=None, SDL_VIDEODRIVER=None),
             "no display to open a window on"),
            ("a display that does not answer", no_glx.environment(DISPLAY=":9999", SDL_VIDEODRIVER=None),
             "no display to open a window on"),
            ("a display without GLX", no_glx.env, "no OpenGL window (GLX)"),
            ("SDL's dummy driver chosen", no_glx.environment(SDL_VIDEODRIVER="dummy"),
             "'dummy' video driver, chosen in SDL_VIDEODRIVER, shows no window"),
        ]
        for name, env, reason in cases:
            with self.subTest(name):
                result = subprocess.run([BINARY], env=env, capture_output=True, timeout=PATIENCE)
                self.assertEqual(result.returncode, 1)
                self.assertEqual(result.stdout, b"", "standard output")
                self.assert_one_line(result.stderr, b"\n", reason)
            with self.subTest(name + ", on a terminal"):
                status, written = run_on_a_terminal(env)
                self.assertEqual(status, 1)
                self.assert_one_line(written, b"\r\n", reason)

    def assert_one_line(self, written, newline, reason):
        """The output is one line of the program's own, with the reason."""
        self.assertTrue(written.endswith(newline), written)
        line = written[:-len(newline)].decode()
        self.assertTrue(line.startswith("Duruv: ") and reason in line, line)
        self.assertTrue(line.isprintable(), "not one line alone: %r" % line)


class DesktopScale(unittest.TestCase):

    def test_first_window_at_the_scale_of_xft_dpi(self):
        # No window manager: its frame would not let a window as wide as the screen be.
        for dpi, size in ((None, WINDOW), ("96", WINDOW), ("144", (960, 720)), ("192", (1280, 960))):
            with self.subTest(dpi=dpi), XServer() as xs:
                if dpi:
                    xs.conn.screen().root.change_property(xs.conn.intern_atom("RESOURCE_MANAGER"), Xatom.STRING, 8,
                                                          b"Xft.dpi:\t%s\n" % dpi.encode())
                    xs.conn.sync()
                with Duruv(xs, BINARY) as program:
                    self.assertEqual(scene_fills(program.start_up()), [])
                    self.assertEqual(program.geometry(), size)
                    self.assertEqual(program.escape(), 0)
