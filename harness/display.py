"""Virtual X displays: Xvfb, with openbox when asked. `python3 -m harness.display
COMMAND [ARG...]` runs a command on one and exits with its status."""
import os
import shutil
import subprocess
import sys
import tempfile

from Xlib import X, display as xdisplay, error

from harness.wait import until

OPENBOX_CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "openbox.xml")

# A large screen in true colour, reached only through its local socket, and
# never reset when its last client leaves (a reset server intermittently
# refuses the next OpenGL client). Its desktop is white, so that no picture
# of it passes for the program's black background.
SCREEN = (1280, 1024)
XVFB_ARGS = ["-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset", "-wr"]


def find_window(conn, holds):
    """The first window, at the top or in a frame, of which holds() is true."""
    for top in conn.screen().root.query_tree().children:
        try:
            for w in [top] + top.query_tree().children:
                if holds(w):
                    return w
        except error.XError:
            pass
    return None


class XServer:
    """An Xvfb server and the environment for programs on it: SDL's X11
    driver unless another is named, no Wayland, an empty XDG_RUNTIME_DIR of
    its own, so that nothing reaches the desktop of whoever runs the tests."""

    def __init__(self, window_manager=False, glx=True):
        self.runtime = tempfile.mkdtemp(prefix="duruv-runtime-")
        read_end, write_end = os.pipe()
        args = ["Xvfb", "-displayfd", str(write_end)] + XVFB_ARGS + ([] if glx else ["-extension", "GLX"])
        self.xvfb = subprocess.Popen(args, pass_fds=(write_end,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.conn = self.wm = None
        try:
            with os.fdopen(read_end) as f:
                self.name = ":" + f.readline().strip()
            self.env = self.environment(DISPLAY=self.name,
                                        SDL_VIDEODRIVER=os.environ.get("SDL_VIDEODRIVER", "x11"))
            self.conn = xdisplay.Display(self.name)
            # A key that a test holds down stays down, as the program sees
            # it: without the server's own repeats, which a program under
            # Wine may take as releases and presses.
            self.conn.change_keyboard_control(auto_repeat_mode=X.AutoRepeatModeOff)
            self.conn.sync()
            if window_manager:
                self.wm = subprocess.Popen(["openbox", "--sm-disable", "--config-file", OPENBOX_CONFIG],
                                           env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                self._wait_for_wm()
        except BaseException:
            self.stop()
            raise

    def environment(self, **changes):
        """This environment for the server's programs, with `changes` (None removes)."""
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        env.pop("WAYLAND_DISPLAY", None)
        env.update(changes)
        return {k: v for k, v in env.items() if v is not None}

    def _wait_for_wm(self):
        """Waits until openbox frames a window: it announces itself before it
        is ready, and a window mapped meanwhile may wait to be mapped for good."""
        screen = self.conn.screen()
        probe = screen.root.create_window(0, 0, 10, 10, 0, screen.root_depth)
        probe.map()

        def running():
            if self.wm.poll() is not None:
                raise RuntimeError("openbox ended with status %d" % self.wm.returncode)
        until(lambda: probe.query_tree().parent != screen.root, "openbox frames a window", alive=running)
        probe.destroy()
        self.conn.sync()

    def run(self, *args, check=True):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True, check=check).stdout

    def stop(self):
        """Ends openbox and Xvfb, which now and then misses a SIGTERM."""
        if self.conn is not None:
            self.conn.close()
        for p in (self.wm, self.xvfb):
            if p is not None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


if __name__ == "__main__":
    with XServer() as server:
        sys.exit(subprocess.run(sys.argv[1:], env=server.env).returncode)
