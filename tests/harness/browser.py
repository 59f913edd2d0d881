"""Duruv's page in headless Chromium, driven over the DevTools protocol: the
page's folder served on a port of its own, the browser started with a
profile of its own, the page's console, exceptions and requests recorded,
keys sent as a keyboard sends them, and pictures of the view. The frames
are counted and stopped by a script the test injects before the page
loads (the page itself carries none): each swap asks for one animation
frame, so holding back the animation frame after swap N keeps frame N on
the screen."""
import base64
import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading
import urllib.request

import websocket

import picture
from wait import until

CHROMIUM = shutil.which("chromium") or "chromium"
SCREEN = (1280, 1024)           # the headless browser's window and screen

FRAME_COUNTER = """
(function () {
  var frames = window.duruvFrames = {count: 0, stopAt: Infinity, held: null};
  var request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = function (callback) {
    frames.count++;
    if (frames.count < frames.stopAt) return request(callback);
    frames.held = callback;
    return 0;
  };
  frames.release = function (stopAt) {
    var callback = frames.held;
    frames.stopAt = stopAt;
    frames.held = null;
    if (callback) request(callback);
  };
})();
"""

KEYS = {"Escape": 27, "F1": 112, "ArrowLeft": 37, "ArrowUp": 38, "ArrowRight": 39, "ArrowDown": 40,
        "q": 81, "a": 65}


class Quiet(http.server.SimpleHTTPRequestHandler):
    """Serves files and writes no line per request."""

    def log_message(self, *args):
        pass


class Page:
    """The page of the folder `folder` in a headless Chromium of its own:
    unpaced, its animation frames as fast as it can draw them, or paced by
    the (virtual) display's refresh."""

    def __init__(self, folder, paced=False, args=()):
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.origin = "http://127.0.0.1:%d" % self.server.server_port
        self.profile = tempfile.TemporaryDirectory()
        self.browser = subprocess.Popen(
            [CHROMIUM, "--headless=new", "--no-sandbox", "--no-first-run", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile.name, "--window-size=%d,%d" % SCREEN,
             "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "about:blank"]
            + ([] if paced else ["--disable-gpu-vsync", "--disable-frame-rate-limit"]) + list(args),
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        endpoint = until(self._devtools_endpoint, "Chromium's DevTools endpoint")
        targets = json.load(urllib.request.urlopen(endpoint + "/json/list"))
        page, = [t for t in targets if t["type"] == "page"]
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], suppress_origin=True)
        self.calls, self.console, self.exceptions, self.requests = 0, [], [], []
        for domain in ("Runtime", "Log", "Network", "Page"):
            self.call(domain + ".enable")
        self.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_COUNTER)

    def _devtools_endpoint(self):
        line = self.browser.stderr.readline()
        found = re.search(r"DevTools listening on (ws://[^/]+)", line)
        return found and found.group(1).replace("ws://", "http://")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        self.socket.close()
        self.browser.kill()
        self.browser.wait()
        self.browser.stderr.close()
        self.server.shutdown()
        self.server.server_close()
        self.profile.cleanup()

    def call(self, method, **params):
        """Calls a DevTools method and returns its result, recording the
        events that come meanwhile."""
        self.calls += 1
        self.socket.send(json.dumps({"id": self.calls, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.calls:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message["result"]
            self._record(message)

    def _record(self, event):
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.consoleAPICalled" and params["type"] in ("error", "warning", "assert"):
            self.console.append(" ".join(str(a.get("value", a.get("description"))) for a in params["args"]))
        elif method == "Log.entryAdded" and params["entry"]["level"] in ("error", "warning"):
            self.console.append(params["entry"]["text"])
        elif method == "Runtime.exceptionThrown":
            self.exceptions.append(params["exceptionDetails"].get("exception", {}).get("description")
                                   or params["exceptionDetails"]["text"])
        elif method == "Network.requestWillBeSent":
            self.requests.append(params["request"]["url"])

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]["text"]))
        return result["result"].get("value")

    def open(self, stop_after=1):
        """Loads the page, the program stopped after frame `stop_after`."""
        self.call("Page.addScriptToEvaluateOnNewDocument",
                  source="window.duruvFrames.stopAt = %d;" % stop_after)
        self.call("Page.navigate", url=self.origin + "/index.html")
        self.frame_reached(stop_after)

    def frames(self):
        return self.evaluate("window.duruvFrames ? window.duruvFrames.count : 0")

    def frame_reached(self, frame):
        """Waits until the program has drawn frame `frame` and waits for the
        next animation frame, which the counter holds back. The wait's
        deadline runs from the last frame drawn, so that a busy machine,
        which draws slowly, ends it on the state and not on the clock."""
        last = [None]

        def progress():
            count, held = self.evaluate("[window.duruvFrames.count, window.duruvFrames.held !== null]")
            if held and count == frame:
                return "reached"
            moved, last[0] = count != last[0], count
            return "moved" if moved else None
        while until(progress, "frame %d, or any frame on the way" % frame) != "reached":
            pass

    def run_to(self, frame):
        """Lets the program draw on until frame `frame`, and stops it there;
        with None, for good."""
        self.evaluate("window.duruvFrames.release(%s)" % ("Infinity" if frame is None else frame))
        if frame is not None:
            self.frame_reached(frame)

    def canvas(self):
        """The canvas's drawing size and its place on the page."""
        return self.evaluate("(function () { var c = document.getElementById('canvas'), "
                             "r = c.getBoundingClientRect(); "
                             "return {width: c.width, height: c.height, x: r.x, y: r.y}; })()")

    def picture(self, path=None):
        """The picture of the view as the screen shows it."""
        canvas = self.canvas()
        clip = dict(x=canvas["x"], y=canvas["y"], width=canvas["width"], height=canvas["height"], scale=1)
        png = base64.b64decode(self.call("Page.captureScreenshot", format="png", clip=clip)["data"])
        if path:
            with open(path, "wb") as f:
                f.write(png)
        return picture.from_png(png)

    def key(self, kind, key, repeat=False):
        """Sends one key event ("keyDown" or "keyUp") as a keyboard does; a
        repeated keyDown is the keyboard's own repeat of a held key."""
        code = KEYS[key]
        self.call("Input.dispatchKeyEvent", type=kind, key=key, windowsVirtualKeyCode=code,
                  nativeVirtualKeyCode=code, code=key if len(key) > 1 else "Key" + key.upper(),
                  autoRepeat=repeat)

    def press(self, key):
        self.key("keyDown", key)
        self.key("keyUp", key)

    def phone(self, width, height):
        """From the next load on, a phone's screen of `width` x `height`
        that is touched, not pointed at with a mouse."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=True)
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def touch(self, kind, *points):
        """Sends a touch event ("touchStart", "touchMove", "touchEnd" or
        "touchCancel") with the fingers at `points`, (x, y) each."""
        self.call("Input.dispatchTouchEvent", type=kind, touchPoints=[dict(x=x, y=y) for x, y in points])

    def offline(self):
        """Stops serving the page's folder, as a network that has gone."""
        self.server.shutdown()
        self.server.server_close()


def folder_of(zip_file, work):
    """Unpacks the web ZIP into `work` and returns the page's folder."""
    subprocess.run(["cmake", "-E", "tar", "xf", os.path.abspath(zip_file)], cwd=work, check=True)
    folder, = [os.path.join(work, name) for name in os.listdir(work)]
    return folder
