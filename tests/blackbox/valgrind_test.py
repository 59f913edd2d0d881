"""valgrind memcheck over a short run of the real program: a dozen resizes,
then Escape. No invalid access, no use of an uninitialised value and no
definitely lost block, apart from the library reports suppressed in
tests/valgrind/libraries.supp."""
import os
import sys
import tempfile
import time
import unittest

from xsession import XServer, Duruv

SUPPRESSIONS = os.path.join(os.path.dirname(__file__), "..", "valgrind", "libraries.supp")
SIZES = [(300, 200), (700, 500), (100, 100), (900, 700), (640, 480), (1, 1),
         (1500, 1200), (320, 240), (800, 600), (50, 400), (400, 50), (640, 480)]


class Memcheck(unittest.TestCase):

    def test_a_dozen_resizes_then_escape(self):
        log = os.path.join(tempfile.gettempdir(), "duruv-memcheck-%d.log" % os.getpid())
        valgrind = ["valgrind", "--leak-check=full", "--errors-for-leak-kinds=definite",
                    "--error-exitcode=99", "--num-callers=60", "--keep-debuginfo=yes",
                    "--suppressions=" + SUPPRESSIONS, "--log-file=" + log]
        xs = XServer(window_manager=True)
        self.addCleanup(xs.stop)
        program = Duruv(xs, BINARY, wrapper=valgrind)
        self.addCleanup(program.kill)
        program.find_window(timeout=120)
        for width, height in SIZES:
            program.resize(width, height)
            time.sleep(0.3)
        status = program.escape(timeout=120)
        with open(log) as f:
            report = f.read()
        os.remove(log)
        summary = [line for line in report.splitlines() if "ERROR SUMMARY" in line]
        print(summary[-1] if summary else "no summary")
        self.assertEqual(status, 0, "valgrind's report:\n" + report[-6000:])


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
