"""Drives the real Duruv binary on a virtual display: keys through xdotool,
the window's requests as a desktop makes them, pictures of the window. With
the frame shim (DURUV_FRAME_SHIM, preloaded into the program or into Wine
running it) it knows each frame the program draws; without (the headless
player), only what the pictures show. `python3 -m harness.program BINARY`
exits with 0 only if the binary plays."""
import mmap
import os
import pathlib
import re
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest

from Xlib import X, Xutil, protocol

from harness import picture, scene, wine
from harness.display import XServer, find_window
from harness.wait import steadily, until

CAPTION = "Duruv"


class FrameCounter:
    """What the frame shim shares: frames drawn, the frame to stop after, and the
    first and last swap's times (ns)."""
    LAYOUT = struct.Struct("=4q")

    def __init__(self, shim, env, stop_after):
        with tempfile.NamedTemporaryFile(prefix="duruv-frames-", delete=False) as f:
            f.write(self.LAYOUT.pack(0, stop_after, 0, 0))
            self.path = f.name
        with open(self.path, "r+b") as f:
            self.map = mmap.mmap(f.fileno(), self.LAYOUT.size)
        env["LD_PRELOAD"] = " ".join(filter(None, [env.get("LD_PRELOAD"), shim]))
        env["DURUV_FRAMES"] = self.path

    def read(self):
        return self.LAYOUT.unpack_from(self.map)

    def stop_after(self, frame):
        self.map[8:16] = struct.pack("=q", frame)

    def close(self):
        self.map.close()
        os.remove(self.path)


class Duruv:
    def __init__(self, server, binary, env=None, wrapper=(), **streams):
        """Starts the program, its output into files unless `streams` say otherwise."""
        self.server, self.window, self.wrapper = server, None, wrapper
        env = dict(env or server.env)
        shim = os.environ.get("DURUV_FRAME_SHIM")
        self.frames = FrameCounter(shim, env, stop_after=1) if shim else None
        self.stdout, self.stderr = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        self.proc = subprocess.Popen(list(wrapper) + [binary], env=env,
                                     **dict(dict(stdout=self.stdout, stderr=self.stderr), **streams))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()

    def until(self, predicate, what):
        """until() while the program runs; the error says what it wrote."""
        try:
            return until(predicate, what, alive=self.check_running)
        except TimeoutError as e:
            raise TimeoutError(str(e) + self.said()) from None

    def start_up(self, path=None):
        """The first picture of the scene (with the frame shim, of frame 1)."""
        pid = self.server.conn.intern_atom("_NET_WM_PID")

        def ours(w):
            owner = w.get_full_property(pid, X.AnyPropertyType)
            return (owner and owner.value[0] == self.proc.pid and w.get_wm_name() == CAPTION and
                    w.get_attributes().map_state == X.IsViewable)
        self.window = self.until(lambda: getattr(find_window(self.server.conn, ours), "id", None),
                                 "a window captioned %s of process %d" % (CAPTION, self.proc.pid))
        self.first_picture = self.picture_at(1, path) if self.frames else self.early_frame(path)
        return self.first_picture

    def check_running(self):
        if self.proc.poll() is not None:
            raise RuntimeError("the program ended with status %d%s" % (self.proc.returncode, self.said()))

    def said(self):
        written = "" if self.stderr.closed else self.output()[1].decode(errors="replace").strip()
        return "; it wrote on standard error:\n" + written if written else ""

    def x_window(self):
        return self.server.conn.create_resource_object("window", self.window)

    def geometry(self):
        geometry = self.x_window().get_geometry()
        return geometry.width, geometry.height

    def resizable(self):
        hints = self.x_window().get_wm_normal_hints()
        return hints is None or not hints.flags & Xutil.PMaxSize

    def freeze(self):
        self.check_running()
        os.kill(self.proc.pid, signal.SIGSTOP)
        self.until(self.stopped, "the program stops")

    def thaw(self):
        os.kill(self.proc.pid, signal.SIGCONT)

    def screenshot(self, path=None, window=None):
        return picture.grab(self.server.env, window or self.window, path)

    def frozen_screenshot(self, path=None, window=None):
        """A picture of one frame; the program then runs for as long as it was
        stopped, so that waits made of pictures never starve it."""
        stopped = time.monotonic()
        self.freeze()
        try:
            return self.screenshot(path, window)
        finally:
            self.thaw()
            time.sleep(time.monotonic() - stopped)

    def stat(self):
        """/proc/PID/stat after the name: [0] the state, [11:13] CPU ticks."""
        return pathlib.Path("/proc/%d/stat" % self.proc.pid).read_text().rsplit(")", 1)[1].split()

    def stopped(self):
        return self.stat()[0] in "Tt"

    def picture_at(self, frame, path=None):
        """The picture of frame `frame`, where the shim stops the program."""
        self.until(lambda: self.stopped() and self.frames.read()[0] >= frame, "frame %d" % frame)
        try:
            return self.screenshot(path)
        finally:
            self.thaw()

    def early_frame(self, path):
        """A picture of the scene within a few frames of the first, without
        the shim: the program runs one tick of its own CPU time between
        pictures, so that a busy machine gives it no more frames."""
        cpu = lambda: sum(int(n) for n in self.stat()[11:13])

        def step():
            used = cpu()
            self.thaw()
            self.until(lambda: cpu() > used, "the program runs")
            self.freeze()
            image = self.screenshot(path)
            scene_shown = scene.kind(image.pixel(0, 0)) == "black" and scene.look(image, scene.BASE_FRONT) == "base"
            return image if scene_shown else None
        self.freeze()
        try:
            return self.until(step, "a picture of the scene")
        finally:
            self.thaw()

    def picture_of(self, frame):
        """The picture of frame `frame`, which the program has yet to draw (it
        runs between pictures, so a count read then may be passed already)."""
        self.freeze()
        drawn = self.frames.read()[0]
        if drawn >= frame:
            raise RuntimeError("frame %d asked for when %d were drawn" % (frame, drawn))
        self.frames.stop_after(frame)
        self.thaw()
        return self.picture_at(frame)

    def picture_after(self, frames):
        self.freeze()
        return self.picture_of(self.frames.read()[0] + frames)

    def still(self, holds=lambda image: True, what="a picture that stands still"):
        """A picture of which holds() is true and that the next frame repeats."""
        def repeated():
            image = self.frozen_screenshot()
            return image if holds(image) and self.picture_after(1) == image else None
        return self.until(repeated, what)

    def finished(self):
        return self.still(lambda image: not scene.tower_on(image, 2), "the finished tower on peg 2")

    def key_down(self, key):
        self.server.run("xdotool", "keydown", "--window", str(self.window), key)

    def key_up(self, key):
        """Releases the key; once the window is gone, in the server itself, or
        the next program's window may take it as pressed."""
        sent = subprocess.run(["xdotool", "keyup", "--window", str(self.window), key],
                              env=self.server.env, capture_output=True)
        if sent.returncode != 0:
            self.server.run("xdotool", "keyup", key)

    def press(self, key):
        # SDL queues the press: the program takes it with or without a frame between.
        self.key_down(key)
        self.key_up(key)

    def hold_until(self, key, moved):
        """Holds a view key down until moved(picture) holds of a frozen picture."""
        self.key_down(key)
        try:
            self.until(lambda: moved(self.frozen_screenshot()), key + " changes the picture")
        finally:
            self.key_up(key)

    def request_close(self):
        """WM_DELETE_WINDOW, as a click on the close button sends it."""
        self.server.run("xdotool", "windowactivate", "--sync", str(self.window))
        conn = self.server.conn
        protocols, delete = conn.intern_atom("WM_PROTOCOLS"), conn.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=self.x_window(), client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        self.x_window().send_event(event, event_mask=X.NoEventMask)
        conn.sync()

    def resize(self, width, height):
        self.server.run("xdotool", "windowsize", str(self.window), str(width), str(height))

    def settle_at(self, width, height):
        """Asks for a size every second until the window keeps it: queued resize
        events of a slow or busy program set sizes asked for before."""
        asked = [0.0]

        def kept():
            if self.geometry() == (width, height):
                return True
            if time.monotonic() - asked[0] > 1:
                self.resize(width, height)
                asked[0] = time.monotonic()
            return False
        self.until(steadily(kept, 1.0), "the window keeps %dx%d" % (width, height))

    def sdl_loaded(self):
        """Classic SDL 1.2, or sdl12-compat and what under it, as mapped."""
        with open("/proc/%d/maps" % self.proc.pid) as f:
            loaded = sorted({os.path.realpath(line.split()[-1]) for line in f if re.search(r"/libSDL|/SDL.dll", line)})
        under = [os.path.basename(p) for p in loaded if re.search(r"/libSDL[23]", p)]
        sdl12 = [p for p in loaded if re.search(r"libSDL-1.2|SDL.dll", p)] + ["no SDL 1.2"]
        return "sdl12-compat (%s over %s)" % (sdl12[0], ", ".join(under)) if under else \
            "classic SDL 1.2 (%s)" % sdl12[0]

    def resident_kb(self):
        with open("/proc/%d/status" % self.proc.pid) as f:
            return int(re.search(r"^VmRSS:\s*(\d+)", f.read(), re.M).group(1))

    def escape(self):
        self.key_down("Escape")
        try:
            return self.wait()
        finally:
            self.key_up("Escape")

    def wait(self):
        return until(lambda: self.proc.poll() is not None, "the program ends") and self.proc.returncode

    def output(self):
        return tuple(os.pread(f.fileno(), os.fstat(f.fileno()).st_size, 0) for f in (self.stdout, self.stderr))

    def ended_cleanly(self, status):
        """Status 0, nothing printed, no window left."""
        windows = self.server.run("xdotool", "search", "--pid", str(self.proc.pid), check=False)
        if (status, self.output(), windows.strip()) != (0, (b"", b""), ""):
            raise AssertionError("status %s, output %r, windows %r" % (status, self.output(), windows))

    def kill(self):
        """Ends the program; under Wine, Wine too, so that the next program
        starts it anew on its own display."""
        if self.proc.poll() is None:
            self.thaw()
            self.proc.kill()
            self.proc.wait()
        if self.wrapper and list(self.wrapper) == wine.WRAPPER:
            wine.restart()
        self.stdout.close()
        self.stderr.close()
        if self.frames:
            self.frames.close()
            self.frames = None


class OnVirtualDisplay(unittest.TestCase):
    """Black-box tests of DURUV_BINARY on one display managed by openbox."""

    @classmethod
    def setUpClass(cls):
        if wine.UNDER_WINE and wine.missing():
            raise unittest.SkipTest(wine.missing())
        cls.xs = XServer(window_manager=True)
        cls.addClassCleanup(cls.xs.stop)

    def start(self, binary=None, **options):
        options.setdefault("wrapper", wine.WRAPPER)
        program = Duruv(self.xs, binary or os.environ["DURUV_BINARY"], **options)
        self.addCleanup(program.kill)
        program.start_up()
        return program


def plays(binary, wrapper=()):
    """Whether the binary shows the scene and Escape ends it with status 0."""
    with XServer(window_manager=True) as xs, Duruv(xs, binary, wrapper=wrapper) as program:
        program.start_up()
        return program.escape() == 0


if __name__ == "__main__":
    sys.exit(0 if plays(sys.argv[1]) else 1)
