"""The program needs none of its standard streams: with any of them closed,
or pointing at /dev/full or at a pipe nobody reads, it opens its window and
plays, and Escape gives status 0."""
import os
import sys
import unittest

from xsession import OnVirtualDisplay


def closing(*fds):
    """A preexec_fn that closes the given descriptors in the child."""
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
                program = self.start(BINARY, **streams)
                program.first_frame()
                self.assertEqual(program.escape(), 0)


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()
