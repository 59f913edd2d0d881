"""Runs the real Duruv binary on a virtual X display and reads what it shows.

Shared by the black-box tests, by ./run.sh when there is no screen, and by
./test.sh and ./bench.sh, which run a command on a display of its own with
`python3 xsession.py COMMAND [ARG...]`: an Xvfb server (with a window
manager when asked), the program as a child process, its window found by
caption, screenshots through ImageMagick's `import`, keys through xdotool,
and a window-close request as a desktop sends it.
"""
import atexit
import math
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from Xlib import X, Xutil, display as xdisplay, protocol

CAPTION = "Duruv"
OPENBOX_CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "openbox.xml")

# Every virtual display: a large screen in true colour, reached only through
# its local socket, and never reset when its last client leaves (a reset
# server intermittently refuses the next OpenGL client). Its desktop is
# white, so that no picture of it passes for the program's black background.
XVFB_ARGS = ["-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset", "-wr"]
POLL = 0.02                 # seconds between looks at a state being waited for


# The program's XDG_RUNTIME_DIR: private and empty, removed at exit.
RUNTIME_DIR = tempfile.mkdtemp(prefix="duruv-runtime-")
atexit.register(shutil.rmtree, RUNTIME_DIR, True)


def check(condition, message):
    """Raises AssertionError with the message unless the condition holds;
    unlike assert, it is not dropped under python -O."""
    if not condition:
        raise AssertionError(message)


def session_env(**changes):
    """The environment for the program: this one without a Wayland display,
    with a private, empty XDG_RUNTIME_DIR, and with `changes` (None removes
    a variable). So the program never reaches the desktop of whoever runs
    the tests, and no desktop session's libraries write to its streams."""
    env = dict(os.environ, XDG_RUNTIME_DIR=RUNTIME_DIR)
    env.pop("WAYLAND_DISPLAY", None)
    env.update(changes)
    return {k: v for k, v in env.items() if v is not None}


class XServer:
    """An Xvfb server of its own, optionally with openbox managing windows."""

    def __init__(self, window_manager=False, glx=True):
        read_end, write_end = os.pipe()
        args = ["Xvfb", "-displayfd", str(write_end)] + XVFB_ARGS
        if not glx:
            args += ["-extension", "GLX"]
        self.xvfb = subprocess.Popen(args, pass_fds=(write_end,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.conn = self.wm = None
        try:
            with os.fdopen(read_end) as f:
                self.name = ":" + f.readline().strip()
            self.env = session_env(DISPLAY=self.name, SDL_VIDEODRIVER="x11")
            self.conn = xdisplay.Display(self.name)
            if window_manager:
                self.wm = subprocess.Popen(["openbox", "--sm-disable", "--config-file", OPENBOX_CONFIG],
                                           env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                self._wait_for_wm()
        except BaseException:
            self.stop()
            raise

    def _wait_for_wm(self):
        """Waits until openbox frames a window of its own: it announces itself
        before it is ready, and a program mapped meanwhile may wait for its
        window to be mapped for good (seen on a fresh Debian 13)."""
        screen = self.conn.screen()
        probe = screen.root.create_window(0, 0, 10, 10, 0, screen.root_depth)
        probe.map()
        deadline = time.time() + 60
        while probe.query_tree().parent == screen.root:
            if self.wm.poll() is not None:
                raise RuntimeError("openbox ended with status %d" % self.wm.returncode)
            if time.time() > deadline:
                raise RuntimeError("openbox framed no window in 60 s")
            time.sleep(POLL)
        probe.destroy()
        self.conn.sync()

    def run(self, *args, check=True):
        """Runs an X client command on this display and returns its output."""
        return subprocess.run(list(args), env=self.env, capture_output=True,
                              text=True, check=check).stdout

    def stop(self):
        """Ends openbox and the server. Xvfb now and then misses a SIGTERM
        that comes while it is going to sleep, so SIGKILL follows in time."""
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

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


class OnVirtualDisplay(unittest.TestCase):
    """Black-box tests that share one virtual display, with openbox managing
    the program's window as a desktop would, as self.xs."""

    @classmethod
    def setUpClass(cls):
        cls.xs = XServer(window_manager=True)

    @classmethod
    def tearDownClass(cls):
        cls.xs.stop()

    def start(self, binary, **options):
        """Starts the program on the shared display, ended with the test, and
        waits for its window."""
        program = Duruv(self.xs, binary, **options)
        self.addCleanup(program.kill)
        program.find_window()
        return program


class Duruv:
    """The program running on a display, with its window."""

    def __init__(self, server, binary, env=None, wrapper=(), **streams):
        """Starts the program; its output goes to files that output() reads,
        unless `streams` gives Popen other stdin, stdout, stderr or preexec_fn."""
        self.server = server
        self.stdout = tempfile.TemporaryFile()
        self.stderr = tempfile.TemporaryFile()
        options = dict(stdout=self.stdout, stderr=self.stderr)
        options.update(streams)
        self.proc = subprocess.Popen(list(wrapper) + [binary], env=env or server.env, **options)
        self.window = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()

    def find_window(self, timeout=30):
        """The visible window captioned "Duruv", found within a few frames of
        its mapping by polling the window tree (a window manager puts it one
        level down, inside its frame)."""
        self.window = self.until(self._visible_window, timeout, "a window captioned " + CAPTION)
        return self.window

    def _visible_window(self):
        for top in self.server.conn.screen().root.query_tree().children:
            try:
                for w in [top] + top.query_tree().children:
                    if w.get_wm_name() == CAPTION and w.get_attributes().map_state == X.IsViewable:
                        return w.id
            except Exception:       # the window went away meanwhile
                pass
        return None

    def check_running(self):
        """Raises an error with the exit status if the program has ended."""
        if self.proc.poll() is not None:
            raise RuntimeError("the program ended with status %d%s" % (self.proc.returncode, self.said()))

    def said(self):
        """What the program has written on standard error, for a report."""
        if self.stderr.closed:
            return ""
        fd = self.stderr.fileno()      # read without moving the program's offset
        written = os.pread(fd, os.fstat(fd).st_size, 0).decode(errors="replace").strip()
        return "; it wrote on standard error:\n" + written if written else ""

    def until(self, predicate, timeout, what):
        """Waits until predicate() gives a true value and returns it; raises an
        error that says what did not happen if the program ends or the time
        runs out first."""
        deadline = time.time() + timeout
        while True:
            found = predicate()
            if found:
                return found
            self.check_running()
            if time.time() > deadline:
                raise RuntimeError("%s: not within %g s%s" % (what, timeout, self.said()))
            time.sleep(POLL)

    def x_window(self):
        return self.server.conn.create_resource_object("window", self.window)

    def geometry(self):
        """Width and height of the window's drawable area."""
        geometry = self.x_window().get_geometry()
        return geometry.width, geometry.height

    def resizable(self):
        """Whether the window's size hints leave it free to grow."""
        hints = self.x_window().get_wm_normal_hints()
        return hints is None or not hints.flags & Xutil.PMaxSize

    def freeze(self):
        """Stops the program and waits until it has stopped."""
        self.check_running()
        os.kill(self.proc.pid, signal.SIGSTOP)
        self.until(lambda: _proc_state(self.proc.pid) in ("T", "t"), 5, "the program stops")

    def thaw(self):
        os.kill(self.proc.pid, signal.SIGCONT)

    def screenshot(self, path=None, window=None):
        """The window's picture as an Image, read with its size in one call;
        saved as PNG too when a path is given."""
        target = str(window if window is not None else self.window)
        ppm = subprocess.run(["import", "-window", target, "-depth", "8", "ppm:-"],
                             env=self.server.env, capture_output=True, check=True).stdout
        magic, width, height, maximum, raw = ppm.split(maxsplit=4)
        check(magic == b"P6" and maximum == b"255", "import gave no 8-bit PPM picture")
        image = Image(int(width), int(height), raw)
        if path:
            subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)
        return image

    def frozen_screenshot(self, path=None, window=None):
        """One frame: the program is stopped while the picture is taken."""
        self.freeze()
        try:
            return self.screenshot(path, window)
        finally:
            self.thaw()

    def first_frame(self, path=None, timeout=60):
        """The first picture of the scene, taken with the program stopped:
        its corner has the black background, and something stands on it
        (before the first frame the window shows the white desktop)."""
        def drawn():
            image = self.frozen_screenshot(path)
            return image if image.pixel(0, 0) == (0, 0, 0) and any(image.raw) else None
        return self.until(drawn, timeout, "a picture of the scene")

    def key_down(self, key):
        self.server.run("xdotool", "keydown", "--window", str(self.window), key)

    def key_up(self, key):
        """Releases the key; once the window is gone, in the server itself, or
        the key stays down there and the next program's window, when it gets
        the focus, may take it as pressed."""
        sent = subprocess.run(["xdotool", "keyup", "--window", str(self.window), key],
                              env=self.server.env, capture_output=True)
        if sent.returncode != 0:
            self.server.run("xdotool", "keyup", key)

    def press(self, key):
        """Presses and releases the key: SDL queues the press, so the program
        takes it whether or not it draws a frame meanwhile."""
        self.key_down(key)
        self.key_up(key)

    def hold_until(self, key, moved, timeout=10):
        """Holds a view key down until moved(picture) is true of the picture,
        taken with the program stopped, then lets it go; the key acts only
        while the program draws frames, at whatever rate it can."""
        self.key_down(key)
        try:
            self.until(lambda: moved(self.frozen_screenshot()), timeout, key + " changes the picture")
        finally:
            self.key_up(key)

    def request_close(self):
        """Sends WM_DELETE_WINDOW, as a desktop does when its close button is clicked."""
        conn = xdisplay.Display(self.server.name)
        window = conn.create_resource_object("window", self.window)
        protocols = conn.intern_atom("WM_PROTOCOLS")
        delete = conn.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        conn.sync()
        conn.close()

    def resize(self, width, height):
        """Asks the window system for a new size of the window."""
        self.server.run("xdotool", "windowsize", str(self.window), str(width), str(height))

    def sdl_loaded(self):
        """Which SDL 1.2 the running program loaded, read from its memory map:
        classic SDL 1.2, or sdl12-compat and the SDL it runs over."""
        with open("/proc/%d/maps" % self.proc.pid) as f:
            libraries = sorted({line.split()[-1] for line in f if "/libSDL" in line})
        sdl12 = [os.path.realpath(p) for p in libraries if "libSDL-1.2" in p]
        under = [os.path.basename(p) for p in libraries if re.search(r"/libSDL[23]", p)]
        if not sdl12:
            raise RuntimeError("the program has no SDL 1.2 loaded")
        if under:
            return "sdl12-compat (%s over %s)" % (sdl12[0], ", ".join(under))
        return "classic SDL 1.2 (%s)" % sdl12[0]

    def resident_kb(self):
        """Resident memory of the process in kB, from /proc."""
        with open("/proc/%d/status" % self.proc.pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        raise RuntimeError("no VmRSS")

    def escape(self, timeout=1):
        """Presses Escape and returns the exit status (None if still running)."""
        self.key_down("Escape")
        status = self.wait(timeout)
        self.key_up("Escape")
        return status

    def wait(self, timeout):
        """The exit status, or None if the program is still running after timeout."""
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def output(self):
        self.stdout.seek(0)
        self.stderr.seek(0)
        return self.stdout.read(), self.stderr.read()

    def kill(self):
        """Ends the program if it still runs and lets go of its output."""
        if self.proc.poll() is None:
            self.thaw()
            self.proc.kill()
            self.proc.wait()
        self.stdout.close()
        self.stderr.close()


class Image:
    """An RGB picture with pixel access; rows from the top."""

    def __init__(self, width, height, raw):
        self.width, self.height, self.raw = width, height, raw

    def pixel(self, x, y):
        i = 3 * (int(y) * self.width + int(x))
        return tuple(self.raw[i:i + 3])

    def __eq__(self, other):
        return (self.width, self.height, self.raw) == (other.width, other.height, other.raw)


def project(point, width, height, tr=0.0, rotdx=0.0, rotdy=0.0):
    """Window pixel (from the top left) of a world point under the program's
    camera: 45 degree perspective, pivot (16.5, 0, 5.5) 40 - tr units ahead."""
    x, y, z = point[0] - 16.5, point[1], point[2] - 5.5
    a = math.radians(rotdy)
    x, z = x * math.cos(a) + z * math.sin(a), -x * math.sin(a) + z * math.cos(a)
    a = math.radians(rotdx)
    y, z = y * math.cos(a) - z * math.sin(a), y * math.sin(a) + z * math.cos(a)
    z += tr - 40.0
    f = 1.0 / math.tan(math.radians(22.5))
    aspect = width / max(height, 1)
    ndc_x, ndc_y = f / aspect * x / -z, f * y / -z
    return (ndc_x + 1) / 2 * width, (1 - ndc_y) / 2 * height


def kind(rgb):
    """What a pixel shows: 'black', 'base' (orange brown), 'peg' (grey blue),
    'disk' (teal) or 'other'."""
    r, g, b = rgb
    if r + g + b < 8:
        return "black"
    if r > g + 25 and g > b + 25:
        return "base"
    if g > r + 35 and b > r + 35:
        return "disk"
    if abs(r - g) < 12 and b >= r and r > 40:
        return "peg"
    return "other"


def disk_point(peg, position):
    """A point inside the disk at stack position 1 (bottom) to 7 of a peg,
    1.6 units left of the peg's axis: inside every disk, outside the peg."""
    return ((peg - 1) * 11.0 + 5.5 - 1.6, 0.6 + 1.1 * (position - 1), 5.5)


def peg_point(peg, y):
    """A point on the axis of a peg's tube at height y."""
    return ((peg - 1) * 11.0 + 5.5, y, 5.5)


def look(image, point, **camera):
    """What the image shows at the projection of a world point."""
    return kind(image.pixel(*project(point, image.width, image.height, **camera)))


def tower_on(image, peg):
    """Failures (empty when none) of: all seven disks on peg, none on the others."""
    failures = []
    for p in range(1, 4):
        for k in range(1, 8):
            seen = look(image, disk_point(p, k))
            want = "disk" if p == peg else "black"
            if seen != want:
                failures.append("peg %d position %d shows %s, not %s" % (p, k, seen, want))
    return failures


def wait_until_still(program, timeout=60, interval=0.3):
    """Waits until two frozen screenshots `interval` apart are equal, which
    happens once the solution is over; returns the last one."""
    previous = program.first_frame()
    deadline = time.time() + timeout
    while time.time() < deadline:
        time.sleep(interval)
        program.check_running()
        current = program.frozen_screenshot()
        if current == previous:
            return current
        previous = current
    raise RuntimeError("the picture did not stand still in %d s" % timeout)


def finishes_on_peg_2_then_escape(program):
    """Waits for the end of the solution, checks the tower stands on peg 2,
    then presses Escape and checks the status is 0."""
    failures = tower_on(wait_until_still(program), 2)
    check(not failures, "; ".join(failures))
    status = program.escape()
    check(status == 0, "status %s" % status)


def ended_cleanly(program, status):
    """Checks that the program ended with status 0, printed nothing and left
    no window behind."""
    check(status == 0, "status %s" % status)
    check(program.output() == (b"", b""), program.output())
    windows = program.server.run("xdotool", "search", "--name", "^%s$" % CAPTION, check=False)
    check(windows.strip() == "", "a window remains")


def _proc_state(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0]
    except OSError:
        return None


def main(command):
    """Runs a command on a virtual display of its own; returns its status."""
    with XServer() as xs:
        return subprocess.run(command, env=xs.env).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
