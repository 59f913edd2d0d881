"""What paces the frames: where the display can make a swap wait (weston,
natively on Wayland through sdl12-compat) the frame rate stays near the
compositor's, as the harness's frame shim counts them."""
import os
import re
import signal
import subprocess
import tempfile

from harness.program import Duruv, OnVirtualDisplay
from harness.wait import until

REFRESH = 60                # Hz of weston's headless output


class Pace(OnVirtualDisplay):

    def test_frame_rate_follows_weston(self):
        out = subprocess.run(["weston", "--version"], capture_output=True, text=True).stdout
        if int(re.search(r"(\d+)\.", out).group(1)) < 13:
            self.skipTest("weston with this SDL cannot show a native Wayland OpenGL window "
                          "(Debian 12); weston 13 or later can")
        probe = self.start()
        if not probe.sdl_loaded().startswith("sdl12-compat"):
            self.skipTest("classic SDL 1.2 has no Wayland driver")
        probe.kill()

        runtime = tempfile.TemporaryDirectory(prefix="duruv-weston-")
        self.addCleanup(runtime.cleanup)
        env = self.xs.environment(XDG_RUNTIME_DIR=runtime.name, DISPLAY=None)
        weston = subprocess.Popen(
            ["weston", "--backend=headless", "--renderer=gl", "--socket=duruv-0",
             "--width=1024", "--height=768", "--refresh-rate=%d" % (REFRESH * 1000), "--idle-time=0"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(weston.wait)
        self.addCleanup(weston.terminate)
        until(lambda: os.path.exists(os.path.join(runtime.name, "duruv-0")), "weston's socket",
              alive=lambda: self.assertIsNone(weston.poll(), "weston ended"))

        env.update(WAYLAND_DISPLAY="duruv-0", SDL_VIDEODRIVER="wayland")
        program = Duruv(self.xs, os.environ["DURUV_BINARY"], env=env)
        self.addCleanup(program.kill)
        program.until(program.stopped, "the first frame")
        program.frames.stop_after(0)
        program.thaw()
        program.until(lambda: program.frames.read()[0] > 3 * REFRESH, "three seconds of frames")
        program.proc.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait(), 0)
        swaps, _, first, last = program.frames.read()
        rate = (swaps - 1) / max((last - first) * 1e-9, 1e-9)
        print("on weston at %d Hz: %d frames, %.1f per second" % (REFRESH, swaps, rate))
        self.assertLess(rate, 1.5 * REFRESH, "frames are not paced by the compositor")
