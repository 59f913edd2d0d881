"""Without a usable display the program says so in one line on standard
error and ends with status 1, writing nothing to standard output."""
import os
import subprocess
import sys

from xsession import XServer, run_checks

BINARY = sys.argv[1]


def fails_cleanly(env):
    result = subprocess.run([BINARY], env=env, capture_output=True, timeout=20)
    assert result.returncode == 1, "status %d" % result.returncode
    assert result.stdout == b"", "standard output: %r" % result.stdout[:80]
    lines = result.stderr.decode().splitlines()
    assert len(lines) == 1 and lines[0].startswith("Duruv: "), result.stderr
    return lines[0]


def main():
    def no_display():
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        assert "no display" in fails_cleanly(env)

    def display_without_opengl():
        with XServer(glx=False) as xs:
            assert "OpenGL" in fails_cleanly(xs.env)

    return run_checks([("DISPLAY unset", no_display),
                       ("a display without GLX", display_without_opengl)])


if __name__ == "__main__":
    sys.exit(main())
