"""A storm of 200 resize requests of random sizes while the disks fly: the
solution goes on to the finished tower, resident memory stays within 2 MB,
and Escape gives status 0."""
import random
import sys
import time
import unittest

from xsession import OnVirtualDisplay, finishes_on_peg_2_then_escape


class Storm(OnVirtualDisplay):

    def settle_at(self, program, width, height):
        """Asks for a size until the window keeps it: under sdl12-compat,
        resize events of the storm still queued set the mode back to sizes
        asked for earlier."""
        for _ in range(10):
            program.resize(width, height)
            time.sleep(0.5)
            if program.geometry() == (width, height):
                return
        self.fail("the window stays at %dx%d" % program.geometry())

    def lowest_resident_kb(self, program):
        """The lowest resident memory over two seconds: buffers that the
        driver frees a moment after the last resize do not count; memory
        kept for good, as a leak is, shows in every reading."""
        readings = []
        for _ in range(5):
            time.sleep(0.4)
            readings.append(program.resident_kb())
        return min(readings)

    def test_200_resizes_while_disks_fly(self):
        rng = random.Random(1)
        # glibc raises its mmap threshold when a large block is freed, so
        # that freed framebuffers of large sizes stay in the heap and keep
        # resident memory up without any leak; a fixed threshold gives them
        # back, and what remains is what the resizes really keep.
        env = dict(self.xs.env, GLIBC_TUNABLES="glibc.malloc.mmap_threshold=131072")
        program = self.start(BINARY, env=env)

        # The largest and smallest sizes first, so that the driver has set up
        # what it keeps for later ones before the baseline.
        for width, height in ((1600, 1300), (1, 1), (640, 480)):
            self.settle_at(program, width, height)
        before = self.lowest_resident_kb(program)
        for _ in range(200):
            program.resize(rng.randint(1, 1600), rng.randint(1, 1300))
        self.settle_at(program, 640, 480)
        self.assertIsNone(program.proc.poll(), "the program ended")

        with self.subTest("resident memory within 2 MB"):
            after = self.lowest_resident_kb(program)
            print("resident memory: %d kB before the storm, %d kB after" % (before, after))
            self.assertLess(after - before, 2048, "grew by %d kB" % (after - before))
        with self.subTest("tower on peg 2; Escape gives 0"):
            finishes_on_peg_2_then_escape(program)


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
