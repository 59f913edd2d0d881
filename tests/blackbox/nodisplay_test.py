"""Without a usable display the program says so in one line on standard
error and ends with status 1, writing nothing to standard output."""
import os
import subprocess
import sys
import unittest

from xsession import XServer


class NoDisplay(unittest.TestCase):

    def fails_cleanly(self, env):
        """The one line the program printed before it ended with status 1."""
        result = subprocess.run([BINARY], env=env, capture_output=True, timeout=20)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout, b"", "standard output")
        lines = result.stderr.decode().splitlines()
        self.assertTrue(len(lines) == 1 and lines[0].startswith("Duruv: "), result.stderr)
        return lines[0]

    def test_display_unset(self):
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        self.assertIn("no display", self.fails_cleanly(env))

    def test_a_display_without_glx(self):
        with XServer(glx=False) as xs:
            self.assertIn("OpenGL", self.fails_cleanly(xs.env))


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
