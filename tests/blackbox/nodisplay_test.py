"""Without a display that can show an OpenGL window the program says why in
one line on standard error and ends with status 1, writing nothing to
standard output, also when both streams are a terminal."""
import os
import pty
import subprocess
import sys
import unittest

from xsession import XServer, session_env


def run_on_a_terminal(env):
    """Status and everything written, with both streams on a terminal."""
    controller, terminal = pty.openpty()
    program = subprocess.Popen([BINARY], env=env, stdout=terminal, stderr=terminal)
    os.close(terminal)
    written = b""
    while True:
        try:
            chunk = os.read(controller, 4096)
        except OSError:             # the terminal is closed once the program ends
            break
        if not chunk:
            break
        written += chunk
    os.close(controller)
    return program.wait(20), written


class NoDisplay(unittest.TestCase):

    def test_each_case_prints_its_reason_in_one_line(self):
        no_glx = XServer(glx=False)
        self.addCleanup(no_glx.stop)
        cases = [
            ("DISPLAY unset", session_env(DISPLAY=None, SDL_VIDEODRIVER=None),
             "no display to open a window on"),
            ("a display that does not answer", session_env(DISPLAY=":9999", SDL_VIDEODRIVER=None),
             "no display to open a window on"),
            ("a display without GLX", no_glx.env, "no OpenGL window (GLX)"),
            ("SDL's dummy driver chosen", session_env(SDL_VIDEODRIVER="dummy"),
             "'dummy' video driver, chosen in SDL_VIDEODRIVER, shows no window"),
        ]
        for name, env, reason in cases:
            with self.subTest(name):
                result = subprocess.run([BINARY], env=env, capture_output=True, timeout=20)
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

if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
