"""valgrind memcheck over a short run of the real program: a dozen resizes,
then Escape. No invalid access, no use of an uninitialised value and no
definitely lost block, apart from the library reports suppressed in
tests/valgrind/libraries.supp."""
import os
import sys
import time

from xsession import XServer, Duruv, run_checks

BINARY = sys.argv[1]
SUPPRESSIONS = os.path.join(os.path.dirname(__file__), "..", "valgrind", "libraries.supp")
SIZES = [(300, 200), (700, 500), (100, 100), (900, 700), (640, 480), (1, 1),
         (1500, 1200), (320, 240), (800, 600), (50, 400), (400, 50), (640, 480)]


def main():
    log = os.path.join(os.environ.get("TMPDIR", "/tmp"), "duruv-memcheck-%d.log" % os.getpid())
    valgrind = ["valgrind", "--leak-check=full", "--errors-for-leak-kinds=definite",
                "--error-exitcode=99", "--num-callers=60", "--keep-debuginfo=yes",
                "--suppressions=" + SUPPRESSIONS, "--log-file=" + log]
    with XServer(window_manager=True) as xs:
        with Duruv(xs, BINARY, wrapper=valgrind) as program:

            def clean_run():
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
                assert status == 0, "status %s; valgrind's report:\n%s" % (status, report[-6000:])

            return run_checks([("memcheck: a dozen resizes, then Escape", clean_run)])


if __name__ == "__main__":
    sys.exit(main())
