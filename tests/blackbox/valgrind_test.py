"""valgrind memcheck over a dozen resizes and Escape: no invalid access, no
uninitialised value, no block definitely lost but the libraries'
(tests/valgrind/libraries.supp); and the check fails on a block lost on
the program's own frame path, so the suppressions hide nothing of its."""
import os
import tempfile

from harness.program import OnVirtualDisplay

SUPPRESSIONS = os.path.join(os.path.dirname(__file__), "..", "valgrind", "libraries.supp")
SIZES = [(300, 200), (700, 500), (100, 100), (900, 700), (640, 480), (1, 1),
         (1500, 1200), (320, 240), (800, 600), (50, 400), (400, 50), (640, 480)]
FAILED = 99                 # valgrind's status when it found an error


class Memcheck(OnVirtualDisplay):

    def memcheck(self, sizes, env=None):
        """The exit status and valgrind's report of a run through the resizes."""
        fd, log = tempfile.mkstemp(prefix="duruv-memcheck-")
        os.close(fd)
        self.addCleanup(os.remove, log)
        valgrind = ["valgrind", "--leak-check=full", "--errors-for-leak-kinds=definite",
                    "--error-exitcode=%d" % FAILED, "--num-callers=60", "--keep-debuginfo=yes",
                    "--suppressions=" + SUPPRESSIONS, "--log-file=" + log]
        program = self.start(wrapper=valgrind, env=env)
        for width, height in sizes:
            program.settle_at(width, height)
        program.picture_after(2)       # the resizes taken, and a frame drawn after them
        status = program.escape()
        with open(log) as f:
            return status, f.read()

    def test_a_dozen_resizes_then_escape(self):
        status, report = self.memcheck(SIZES)
        self.assertEqual(status, 0, "valgrind's report:\n" + report[-6000:])

    def test_a_block_lost_on_the_frame_path_is_reported(self):
        status, report = self.memcheck([], env=dict(self.xs.env, LD_PRELOAD=os.environ["DURUV_LEAK_SHIM"]))
        self.assertEqual(status, FAILED, "valgrind's report:\n" + report[-6000:])
        self.assertRegex(report, r"64 bytes in 1 blocks are definitely lost(.*\n)+.*: main \(main\.cpp")
