"""Duruv's page in a browser of its own, three engines behind one interface:
headless Chromium over DevTools; Firefox over WebDriver BiDi and WebKitGTK's
MiniBrowser over WebDriver, each on a virtual display, where they have
WebGL. A frame counter at the head of index.html holds back the animation
frame after swap N (the address's `stop`), which keeps frame N on the
screen. Each browser runs in a session of its own, so that it ends with its
helpers as one group and, where the kernel schedules by session, busy
processes beside the tests do not starve it (four busy loops made
Chromium's frames 9 times slower)."""
import base64
import glob
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import tempfile
import threading
import urllib.request

import websocket

from harness import files, picture, serve
from harness.display import SCREEN, XServer
from harness.wait import until

FRAME_COUNTER = """<script>
(function () {
  var stop = Number(new URLSearchParams(location.search).get('stop')) || Infinity;
  var frames = window.duruvFrames = {count: 0, stopAt: stop, held: null, console: [], busy: [], started: null};
  var request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = function (callback) {
    var now = performance.now();            // the times for bench/web.py
    if (frames.count++ == 0) frames.firstAt = now;
    if (frames.started !== null) frames.busy.push(now - frames.started);
    var timed = function (time) { frames.started = performance.now(); callback(time); };
    if (frames.count < frames.stopAt) return request(timed);
    frames.held = timed;
    return 0;
  };
  frames.shown = function () {   // after two rendering updates: the frame drawn last is on the screen
    return new Promise(function (resolve) { request(function () { request(function () { resolve(); }); }); });
  };
  frames.release = function (stopAt) {
    var callback = frames.held;
    frames.stopAt = stopAt;
    frames.held = null;
    if (callback) request(callback);
  };
  ['warn', 'error'].forEach(function (level) {
    var write = console[level];
    console[level] = function () {
      frames.console.push(Array.prototype.map.call(arguments, function (a) {
        return a instanceof Object ? a.stack || JSON.stringify(a) : String(a); }).join(' '));
      write.apply(console, arguments);
    };
  });
  ['error', 'unhandledrejection'].forEach(function (type) {
    window.addEventListener(type, function (event) {
      var error = event.error || event.reason || event.message;
      setTimeout(function () { if (!event.defaultPrevented) frames.console.push(String(error)); });
    });
  });
})();
</script>"""

# Each key: its DOM key code, and its value in WebDriver's actions.
KEYS = {"Escape": (27, "\uE00C"), "F1": (112, "\uE031"), "ArrowLeft": (37, "\uE012"),
        "ArrowUp": (38, "\uE013"), "ArrowRight": (39, "\uE014"), "ArrowDown": (40, "\uE015"),
        "q": (81, "q"), "a": (65, "a")}


def missing(engine):
    """Why `engine` cannot run the page here, or None."""
    package, programs = {"chromium": ("chromium", ["chromium"]), "firefox": ("firefox-esr", ["firefox-esr"]),
                         "webkit": ("webkit2gtk-driver", ["WebKitWebDriver", "MiniBrowser"])}[engine]
    absent = [program for program in programs if not _program(program)]
    return absent and "missing: %s (the package %s)" % (" and ".join(absent), package)


def _program(name):
    return shutil.which(name) or (glob.glob("/usr/lib/*/webkit*gtk-*/" + name) + [None])[0]


def open_page(engine, folder, **options):
    return {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}[engine](folder, **options)


class Page:
    """What every engine's page offers; a driver adds _start, _navigate, evaluate,
    _screenshot, key and the lists console, exceptions and requests."""

    def __init__(self, folder, **options):
        self.server = serve.server(folder)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.origin = "http://127.0.0.1:%d" % self.server.server_port
        # A browser's helper processes may still write to its profile for a
        # moment after it is killed; what they leave there is no fault.
        self.profile = tempfile.TemporaryDirectory(ignore_cleanup_errors=True)
        self.display = self.browser = self.socket = self.driver = None
        try:
            self._start(**options)
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.socket:
            self.socket.close()
        if self.driver:
            self.driver.quit()
        if self.browser:
            _end(self.browser)
        if self.display:
            self.display.stop()
        self.offline()
        self.profile.cleanup()

    def offline(self):
        self.server.shutdown()
        self.server.server_close()

    def open(self, stop_after=1):
        """Loads the page, the program stopped after frame `stop_after`."""
        self._navigate("%s/index.html?stop=%d" % (self.origin, stop_after))
        self.frame_reached(stop_after)

    def frames(self):
        return self.evaluate("window.duruvFrames ? duruvFrames.count : 0")

    def frame_reached(self, frame):
        """Waits until frame `frame` is drawn and the next held back; the
        deadline runs from the last frame drawn, so that a slow machine ends
        the wait on the state, not on the clock."""
        last = [None]

        def progress():
            count, held = self.evaluate("window.duruvFrames ? [duruvFrames.count, duruvFrames.held !== null] : [0, false]")
            if held and count == frame:
                return "reached"
            moved, last[0] = count != last[0], count
            return "moved" if moved else None
        while until(progress, "frame %d, or any frame on the way" % frame) != "reached":
            pass

    def run_to(self, frame):
        """Lets the program draw on to frame `frame`; with None, for good."""
        self.evaluate("window.duruvFrames.release(%s)" % ("Infinity" if frame is None else frame))
        if frame is not None:
            self.frame_reached(frame)

    def canvas(self):
        """The canvas's drawing size, and its place and size on the page."""
        return self.evaluate("(function () { var c = document.getElementById('canvas'), "
                             "r = c.getBoundingClientRect(); return {width: c.width, height: c.height, "
                             "x: r.x, y: r.y, cssWidth: r.width, cssHeight: r.height}; })()")

    def picture(self):
        """The view as the screen shows it once it shows the held frame: two
        pictures that agree, each after two rendering updates (on a busy
        machine the screen can lag behind the page by more)."""
        last = [None]

        def settled():
            self.evaluate("window.duruvFrames.shown()")
            c = self.canvas()
            taken = self._screenshot(round(c["x"]), round(c["y"]), round(c["cssWidth"]), round(c["cssHeight"]))
            same, last[0] = last[0] is not None and taken == last[0], taken
            return same and taken
        return until(settled, "a picture of the view that stands still")

    def press(self, key):
        self.key("keyDown", key)
        self.key("keyUp", key)

    def call(self, method, **params):
        """A command's result over the socket; _record takes events meanwhile."""
        self.calls += 1
        self.socket.send(json.dumps({"id": self.calls, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.calls:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message.get("message", message["error"])))
                return message["result"]
            self._record(message)


class Chromium(Page):
    """Headless Chromium, unpaced or paced by the display; `args` are more switches."""

    def _start(self, paced=False, args=()):
        self.browser = _started(
            ["chromium", "--headless=new", "--no-sandbox", "--no-first-run", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile.name, "--window-size=%d,%d" % SCREEN,
             "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "about:blank"]
            + ([] if paced else ["--disable-gpu-vsync", "--disable-frame-rate-limit"]) + list(args))
        endpoint = _listening(self.browser, r"DevTools listening on (ws://[^/]+)").replace("ws://", "http://")
        targets = json.load(urllib.request.urlopen(endpoint + "/json/list"))
        page, = [t for t in targets if t["type"] == "page"]
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], suppress_origin=True)
        self.calls, self.console, self.exceptions, self.requests = 0, [], [], []
        self.trace = None           # the stream of a trace that has ended
        for domain in ("Runtime", "Log", "Network", "Page"):
            self.call(domain + ".enable")

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
        elif method == "Tracing.tracingComplete":
            self.trace = params["stream"]

    def _navigate(self, url):
        self.call("Page.navigate", url=url)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]["text"]))
        return result["result"].get("value")

    def _screenshot(self, x, y, width, height):
        clip = dict(x=x, y=y, width=width, height=height, scale=1)
        return picture.from_png(base64.b64decode(self.call("Page.captureScreenshot", format="png", clip=clip)["data"]))

    def key(self, kind, key, repeat=False):
        """A key event, "keyDown" or "keyUp"; a repeat is the keyboard's own."""
        code = KEYS[key][0]
        self.call("Input.dispatchKeyEvent", type=kind, key=key, windowsVirtualKeyCode=code,
                  nativeVirtualKeyCode=code, code=key if len(key) > 1 else "Key" + key.upper(),
                  autoRepeat=repeat)

    def phone(self, width, height):
        """From the next load on, a touch screen of `width` x `height`."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=True)
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def touch(self, kind, *points):
        """A touch event ("touchStart" ...) with fingers at `points`, the
        first finger first; "touchEnd" lifts those given, or every finger."""
        self.call("Input.dispatchTouchEvent", type=kind,
                  touchPoints=[dict(x=x, y=y, id=finger) for finger, (x, y) in enumerate(points)])


class Firefox(Page):
    """Firefox, its animation frames as fast as it can draw them unless paced."""

    def _start(self, paced=False):
        # A virtual display's window never has the system's focus; Firefox's
        # test mode takes it as a desktop's active window.
        with open(os.path.join(self.profile.name, "user.js"), "w") as prefs:
            prefs.write('user_pref("layout.frame_rate", %d);\n' % (-1 if paced else 0))
        self.display = XServer()
        self.browser = _started(["firefox-esr", "--remote-debugging-port=0", "--profile", self.profile.name,
                                 "--no-remote", "--width=%d" % SCREEN[0], "--height=%d" % SCREEN[1], "about:blank"],
                                env=self.display.env)
        endpoint = _listening(self.browser, r"WebDriver BiDi listening on (ws://\S+)")
        self.socket = websocket.create_connection(endpoint + "/session", suppress_origin=True)
        self.calls, self.console, self.exceptions, self.requests = 0, [], [], []
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.call("session.subscribe", events=["log.entryAdded", "network.beforeRequestSent"])
        # A click on the page's margin, as a user's, gives the window the
        # focus that full screen needs: a virtual display gives it none.
        self.display.run("xdotool", "mousemove", "10", str(SCREEN[1] // 2), "click", "1")

    def _record(self, event):
        method, params = event.get("method"), event.get("params", {})
        if method == "log.entryAdded" and params["level"] in ("error", "warn"):
            (self.exceptions if params["type"] == "javascript" else self.console).append(params["text"])
        elif method == "network.beforeRequestSent" and params["context"] == self.context:
            self.requests.append(params["request"]["url"])

    def _navigate(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def evaluate(self, expression):
        result = self.call("script.evaluate", target={"context": self.context}, awaitPromise=True,
                           expression="Promise.resolve(%s).then(function (v) { return JSON.stringify(v); })"
                           % expression)
        if result["type"] == "exception":
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]["text"]))
        return json.loads(result["result"].get("value") or "null")

    def _screenshot(self, x, y, width, height):
        clip = {"type": "box", "x": x, "y": y, "width": width, "height": height}
        return picture.from_png(base64.b64decode(
            self.call("browsingContext.captureScreenshot", context=self.context, clip=clip)["data"]))

    def key(self, kind, key, repeat=False):
        # WebDriver makes a second keyDown of a held key the keyboard's repeat.
        self.call("input.performActions", context=self.context,
                  actions=[{"type": "key", "id": "keyboard", "actions": [{"type": kind, "value": KEYS[key][1]}]}])


class WebKit(Page):
    """WebKitGTK's MiniBrowser through Selenium, paced; its driver reads no
    console, so the page's own record stands in, and its resource timings."""

    def _start(self, paced=True):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        self.display = XServer()
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            port = s.getsockname()[1]
        self.browser = _started(["WebKitWebDriver", "--port=%d" % port], env=self.display.env)
        options = Options()
        options.binary_location = _program("MiniBrowser")
        options.add_argument("--automation")
        until(lambda: _answers(port), "WebKitWebDriver", alive=lambda: _alive(self.browser))
        self.driver = webdriver.Remote(command_executor="http://127.0.0.1:%d" % port, options=options)
        self.driver.set_window_size(*SCREEN)

    def _navigate(self, url):
        self.driver.get(url)

    def evaluate(self, expression):
        result = self.driver.execute_async_script(
            "var done = arguments[arguments.length - 1];"
            "Promise.resolve().then(function () { return %s; }).then(function (v) { done(JSON.stringify(v)); },"
            " function (e) { done({error: String(e)}); });" % expression)
        if isinstance(result, dict):
            raise RuntimeError("%s: %s" % (expression, result["error"]))
        return json.loads(result or "null")

    @property
    def exceptions(self):
        return []           # the page's record of the console has them

    @property
    def console(self):
        return self.evaluate("window.duruvFrames ? duruvFrames.console : []")

    @property
    def requests(self):
        return self.evaluate("performance.getEntries().map(function (e) { return e.name; })"
                             ".filter(function (name) { return /:/.test(name); })")

    def _screenshot(self, x, y, width, height):
        return picture.from_png(self.driver.get_screenshot_as_png()).crop(x, y, width, height)

    def key(self, kind, key, repeat=False):
        from selenium.webdriver.common.action_chains import ActionChains
        chain = ActionChains(self.driver)
        (chain.key_down if kind == "keyDown" else chain.key_up)(KEYS[key][1]).perform()


def _started(args, **options):
    """A process of its own session, its standard error read into `said`."""
    process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                               start_new_session=True, **options)
    process.said = []

    def read():
        with process.stderr:
            for line in process.stderr:
                process.said.append(line)
    threading.Thread(target=read, daemon=True).start()
    return process


def _alive(process):
    """Raises an error with a process's last words once it has ended."""
    if process.poll() is not None:
        raise RuntimeError("%s ended with status %d while starting; its last words:\n%s"
                           % (process.args[0], process.returncode, "".join(process.said[-20:])))


def _listening(process, pattern):
    """The address a browser says on standard error it listens on, once it has."""
    def said():
        found = re.search(pattern, "".join(process.said))
        return found and found.group(1)
    return until(said, "%s's endpoint" % process.args[0], alive=lambda: _alive(process))


def _answers(port):
    with socket.socket() as s:
        return s.connect_ex(("127.0.0.1", port)) == 0


def _end(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:      # it and all it started have ended
        pass
    process.wait()


def folder_of(zip_file, work):
    """The page's folder, unpacked from the ZIP, with the frame counter."""
    files.unpack(zip_file, work)
    folder, = [os.path.join(work, name) for name in os.listdir(work)]
    with open(os.path.join(folder, "index.html"), "r+") as f:
        page = f.read().replace("<head>", "<head>" + FRAME_COUNTER, 1)
        f.seek(0)
        f.write(page)
    return folder
