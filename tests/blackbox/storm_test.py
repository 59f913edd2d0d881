"""A storm of 200 resize requests of random sizes while the disks fly: the
solution goes on to the finished tower, resident memory stays within 2 MB,
and Escape gives status 0."""
import random
import sys
import time

from xsession import XServer, Duruv, ends_on_peg_2, run_checks

BINARY = sys.argv[1]


def main():
    rng = random.Random(1)
    with XServer(window_manager=True) as xs:
        # glibc raises its mmap threshold when a large block is freed, so
        # that freed framebuffers of large sizes stay in the heap and keep
        # resident memory up without any leak; a fixed threshold gives them
        # back, and what remains is what the resizes really keep.
        env = dict(xs.env, GLIBC_TUNABLES="glibc.malloc.mmap_threshold=131072")
        with Duruv(xs, BINARY, env=env) as program:
            program.find_window()
            state = {}

            def settle_at(width, height):
                """Asks for a size until the window keeps it: under sdl12-compat,
                resize events of the storm still queued set the mode back to
                sizes asked for earlier."""
                for _ in range(10):
                    program.resize(width, height)
                    time.sleep(0.5)
                    if program.geometry() == (width, height):
                        return
                raise AssertionError("the window stays at %dx%d" % program.geometry())

            def storm():
                # The largest and smallest sizes first, so that the driver has
                # set up what it keeps for later ones before the baseline.
                for width, height in ((1600, 1300), (1, 1), (640, 480)):
                    settle_at(width, height)
                state["before"] = program.resident_kb()
                for _ in range(200):
                    width, height = rng.randint(1, 1600), rng.randint(1, 1300)
                    program.resize(width, height)
                settle_at(640, 480)
                assert program.proc.poll() is None, "the program ended"

            def memory():
                after = program.resident_kb()
                print("resident memory: %d kB before the storm, %d kB after" % (state["before"], after))
                assert after - state["before"] < 2048, "grew by %d kB" % (after - state["before"])

            return run_checks([("200 resizes while disks fly", storm),
                               ("resident memory within 2 MB", memory),
                               ("tower on peg 2; Escape gives 0", lambda: ends_on_peg_2(program))])


if __name__ == "__main__":
    sys.exit(main())
