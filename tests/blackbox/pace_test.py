"""What paces the frames: the program asks SDL for swaps that wait for the
display before it sets its first video mode, and where the display can make
a swap wait (weston, natively on Wayland through sdl12-compat) the frame
rate stays near the compositor's. The frames are counted by a preloaded
shim (pace_shim.cpp), without changing the program."""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from xsession import OnVirtualDisplay, session_env

REFRESH = 60                # Hz of weston's headless output


def read_pace(log):
    """The swap interval asked for before the first video mode, the number of
    swaps, and the swaps per second, as the shim wrote them."""
    with open(log) as f:
        asked, swaps, seconds = f.read().split()
    return int(asked), int(swaps), (int(swaps) - 1) / max(float(seconds), 1e-9)


def weston_major():
    out = subprocess.run(["weston", "--version"], capture_output=True, text=True).stdout
    return int(re.search(r"(\d+)\.", out).group(1))


class Pace(OnVirtualDisplay):

    def setUp(self):
        fd, self.log = tempfile.mkstemp(prefix="duruv-pace-")
        os.close(fd)
        self.addCleanup(os.remove, self.log)

    def shimmed(self, env):
        return dict(env, LD_PRELOAD=SHIM, DURUV_PACE_LOG=self.log)

    def test_swap_that_waits_is_asked_for_before_the_video_mode(self):
        program = self.start(BINARY, env=self.shimmed(self.xs.env))
        program.first_frame()
        self.assertEqual(program.escape(), 0)
        asked, swaps, _ = read_pace(self.log)
        self.assertEqual(asked, 1, "SDL_GL_SWAP_CONTROL before the first SDL_SetVideoMode")
        self.assertGreater(swaps, 0)

    def test_frame_rate_follows_weston(self):
        if weston_major() < 13:
            self.skipTest("weston %d with this SDL cannot show a native Wayland OpenGL window "
                          "(Debian 12); weston 13 or later can" % weston_major())
        probe = self.start(BINARY)
        if not probe.sdl_loaded().startswith("sdl12-compat"):
            self.skipTest("classic SDL 1.2 has no Wayland driver")
        probe.kill()

        runtime = tempfile.TemporaryDirectory(prefix="duruv-weston-")
        self.addCleanup(runtime.cleanup)
        env = session_env(XDG_RUNTIME_DIR=runtime.name, DISPLAY=None)
        weston = subprocess.Popen(
            ["weston", "--backend=headless", "--renderer=gl", "--socket=duruv-0",
             "--width=1024", "--height=768", "--refresh-rate=%d" % (REFRESH * 1000), "--idle-time=0"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(weston.wait)
        self.addCleanup(weston.terminate)
        deadline = time.time() + 20
        while not os.path.exists(os.path.join(runtime.name, "duruv-0")):
            self.assertIsNone(weston.poll(), "weston ended with status %s" % weston.returncode)
            self.assertLess(time.time(), deadline, "weston did not start")
            time.sleep(0.05)

        program = subprocess.Popen([BINARY], env=self.shimmed(dict(
            env, WAYLAND_DISPLAY="duruv-0", SDL_VIDEODRIVER="wayland")))
        self.addCleanup(program.kill)
        time.sleep(3)               # the frames counted
        program.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait(20), 0)
        _, swaps, rate = read_pace(self.log)
        print("on weston at %d Hz: %d frames, %.1f per second" % (REFRESH, swaps, rate))
        self.assertGreater(swaps, REFRESH, "the program hardly drew")
        self.assertLess(rate, 1.5 * REFRESH, "frames are not paced by the compositor")


if __name__ == "__main__":
    BINARY, SHIM = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main()
