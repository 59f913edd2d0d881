"""The web ZIP's page in the engine DURUV_BROWSER names, set against the
native program frame by frame, its console clean and no request leaving
its origin; a phone's touch screen, the manifest and a browser without
WebGL in Chromium alone, whose DevTools show them."""
import glob
import os
import time
import unittest

from harness import about, browser, files, picture, scene
from harness.display import XServer
from harness.program import Duruv
from harness.wait import until

ENGINE = os.environ.get("DURUV_BROWSER", "chromium")
ZIPS = glob.glob(os.path.join(os.environ.get("DURUV_WEB_DIR", ""), "duruv-*-web.zip"))
NATIVE = os.environ.get("DURUV_BINARY", "")
COMPARED = (1, 600, 2500, 5100)     # frames: the start, flights, the finished tower
FAR = 0.12 * 255                    # a channel this far off is a different colour
ALIKE = 0.001                       # at most this share of a 640 x 480 picture's pixels may differ


def allowed(image):
    """Pixels that may differ: along the solids' edges, where two
    rasterizations part, so as many as the picture is wide."""
    return ALIKE * scene.WINDOW[1] * image.width


def differing(a, b):
    """How many pixels of two pictures of one size differ in a channel by FAR."""
    return sum(any(abs(x - y) > FAR for x, y in zip(a.raw[i:i + 3], b.raw[i:i + 3]))
               for i in range(0, len(a.raw), 3))


PHONES = ((390, 844), (844, 390), (320, 568))   # upright, on its side, the narrowest
# Each touch button by the DOM key it stands for, as data/about.txt pairs them.
BUTTONS = {("Arrow" + key if key in ("Left", "Right", "Up", "Down") else key.lower() if len(key) == 1 else key): button
           for keys, buttons, _ in about.KEYS for key, button in zip(keys.replace(" (held)", "").split(", "), buttons)}
# Each key event that reaches the page's document, as "keydown 37".
KEY_LOG = ("window.duruvKeys = []; ['keydown', 'keyup'].forEach(function (type) { "
           "document.addEventListener(type, function (e) { duruvKeys.push(type + ' ' + e.keyCode); }); })")


def setUpModule():
    if browser.missing(ENGINE) or not ZIPS:
        raise unittest.SkipTest(browser.missing(ENGINE) or "missing: the web ZIP (./package.sh web builds it)")


class WebPage(unittest.TestCase):

    def setUp(self):
        self.folder = browser.folder_of(ZIPS[0], *files.folders(self.addCleanup, "web"))
        self.page = self.browse()

    def browse(self, **options):
        page = browser.open_page(ENGINE, self.folder, **options)
        self.addCleanup(page.close)
        return page

    def in_chromium(self, what):
        if ENGINE != "chromium":
            self.skipTest("only Chromium's DevTools show " + what)

    def tearDown(self):
        self.assertEqual(self.page.exceptions, [], "uncaught exceptions")
        self.assertEqual(self.page.console, [], "errors and warnings in the console")
        outside = [url for url in self.page.requests if not url.startswith(self.page.origin + "/")]
        self.assertEqual(outside, [], "requests outside the page's origin")

    def said(self, where="#said"):
        """What the page says in words where the view was, once it shows them."""
        return until(lambda: self.page.evaluate("(function (e) { return e && e.getClientRects().length && e.textContent; "
                                                "})(document.querySelector('%s'))" % where), "words where the view was")

    def matches_native(self, frame=None, size=None):
        """Checks the page's picture of `frame` against the native program's,
        or in a window of `size`, 30 frames after it took it; returns the frame."""
        with XServer() as xs, Duruv(xs, NATIVE) as native:
            native.start_up()
            if size:        # from the screen's corner: a window may grow off the screen (SDL 3 centres it)
                native.server.run("xdotool", "windowmove", str(native.window), "0", "0")
                native.settle_at(*size)
                native.freeze()
                frame = native.frames.read()[0] + 30
            expected = native.picture_of(frame)
            self.assertEqual(native.escape(), 0)
        self.page.run_to(frame)
        seen = self.page.picture()
        self.assertLessEqual(differing(seen, expected), allowed(seen))
        return frame

    def test_view_at_the_screen_s_own_pixels(self):
        self.in_chromium("a screen of another pixel ratio")
        self.page = self.browse(args=["--force-device-scale-factor=2"])
        self.page.open(stop_after=2)
        size = (self.page.canvas()["width"], self.page.canvas()["height"])
        self.assertEqual(size, tuple(2 * side for side in scene.WINDOW))
        self.matches_native(size=size)

    def test_pictures_match_the_native_program_frame_by_frame(self):
        page = self.page
        page.open(stop_after=COMPARED[0])
        self.assertEqual(page.evaluate("document.title"), "Duruv")
        self.assertEqual(page.evaluate("Array.from(document.querySelectorAll('#keys tr'), "
                                       "function (row) { return [row.cells[0].textContent, row.cells[1].textContent]; })"),
                         [[keys, action] for keys, _, action in about.KEYS], "the key table")
        self.assertEqual((page.canvas()["width"], page.canvas()["height"]), scene.WINDOW)
        with XServer() as xs, Duruv(xs, NATIVE) as native:
            expected = {COMPARED[0]: native.start_up()}
            for frame in COMPARED[1:]:
                expected[frame] = native.picture_of(frame)
            self.assertEqual(native.escape(), 0)
        self.assertEqual(scene.tower_on(expected[COMPARED[0]], 1), [])
        self.assertEqual(scene.tower_on(expected[COMPARED[-1]], 2), [])
        for frame in COMPARED:
            if frame != COMPARED[0]:
                page.run_to(frame)
            seen = page.picture()
            with self.subTest(frame=frame):
                self.assertLessEqual(differing(seen, expected[frame]), allowed(seen))

    def test_view_taken_away_and_given_back(self):
        page = self.page
        page.open(stop_after=600)
        if not page.evaluate("!!(window.duruvLoss = document.getElementById('canvas').getContext('webgl')"
                             ".getExtension('WEBGL_lose_context'))"):
            self.skipTest("this engine's WebGL cannot lose its context on demand")
        reload_offered = "document.querySelector('#lost button').getClientRects().length > 0"
        page.evaluate("duruvLoss.loseContext()")
        self.assertIn("goes on when it gives it back", self.said("#lost p"))
        self.assertFalse(page.evaluate(reload_offered))
        page.run_to(None)
        frames = page.frames()
        time.sleep(1)
        self.assertEqual(page.frames(), frames, "frames drawn while the view is lost")
        with self.subTest("not given back within a while: a reload is offered"):
            until(lambda: page.evaluate(reload_offered), "the reload button")
            self.assertIn("Reload the page", self.said("#lost p"))
        with self.subTest("given back: on from the frame where it stopped, drawn as before"):
            page.evaluate("(duruvFrames.release(%d), duruvLoss.restoreContext())" % frames)
            self.matches_native(frames + 30)
        with self.subTest("taken again soon after: a reload is offered at once, and reloads"):
            page.evaluate("(window.duruvBefore = true, duruvLoss.loseContext())")
            self.assertIn("once more", self.said("#lost p"))
            self.assertTrue(page.evaluate(reload_offered))
            page.evaluate("document.querySelector('#lost button').click()")
            until(lambda: page.evaluate("!window.duruvBefore && document.readyState == 'complete'"), "the reload")

    def test_keys_f1_resize_and_escape(self):
        page = self.page
        page.open(stop_after=100)
        with self.subTest("a held key turns the view once per frame"):
            page.key("keyDown", "ArrowLeft")
            page.run_to(130)
            page.key("keyUp", "ArrowLeft")
            self.assertEqual(scene.scene_fills(page.picture(), rotdy=30), [])
            page.key("keyDown", "q")
            page.run_to(150)
            page.key("keyUp", "q")
            self.assertEqual(scene.scene_fills(page.picture(), rotdy=30, tr=10), [])

        with self.subTest("F1, held so that the keyboard repeats it, fills the screen once"):
            page.key("keyDown", "F1")
            for _ in range(5):
                page.key("keyDown", "F1", repeat=True)
            page.key("keyUp", "F1")
            page.run_to(160)
            self.assertEqual(page.evaluate("document.fullscreenElement.id"), "stage")
            self.assertEqual([page.canvas()["width"], page.canvas()["height"]],
                             page.evaluate("[window.innerWidth, window.innerHeight]"))
            self.assertEqual(scene.scene_fills(page.picture(), rotdy=30, tr=10), [])
        with self.subTest("F1 again gives back the view at its size before"):
            page.press("F1")
            page.run_to(170)
            self.assertIsNone(page.evaluate("document.fullscreenElement"))
            self.assertEqual((page.canvas()["width"], page.canvas()["height"]), scene.WINDOW)

        with self.subTest("a new size of the view reaches the program"):
            page.evaluate("document.getElementById('view').style.width = '800px'")
            page.evaluate("document.getElementById('view').style.height = '500px'")
            page.run_to(180)
            self.assertEqual((page.canvas()["width"], page.canvas()["height"]), (800, 500))
            self.assertEqual(scene.scene_fills(page.picture(), rotdy=30, tr=10), [])

        with self.subTest("Escape ends: no frame after it, and the page says so"):
            page.press("Escape")
            page.run_to(None)
            self.assertEqual(self.said(), "Duruv has ended. Reload the page to play it again.")
            frames = page.frames()
            time.sleep(1)
            self.assertEqual(page.frames(), frames)

    def test_phone_view_fits_and_its_buttons_act_as_keys(self):
        self.in_chromium("the page on a phone")
        page = self.page
        for width, height in PHONES:
            with self.subTest("the view fits", screen=(width, height)):
                page.phone(width, height)
                page.open(stop_after=2)
                view = page.canvas()
                self.assertTrue(view["width"] == width or view["height"] == height, view)
                self.assertAlmostEqual(view["width"] * 3 / 4, view["height"], delta=1)
                self.assertLessEqual(view["x"] + view["width"], width)
                self.assertLessEqual(view["y"] + view["height"], height)
                self.assertEqual(page.evaluate("[document.documentElement.scrollWidth, scrollX, scrollY]"),
                                 [width, 0, 0], "the page scrolls")
                self.assertEqual(page.evaluate("getComputedStyle(document.getElementById('keys')).display"), "none")
                self.assertEqual(page.evaluate(
                    "Array.from(document.querySelectorAll('#pad button:not([hidden])'), function (b) {"
                    " var r = b.getBoundingClientRect(); return r.left >= 0 && r.top >= 0 && r.right <= innerWidth"
                    " && r.bottom <= innerHeight || b.getAttribute('aria-label'); }).filter(function (b) {"
                    " return b !== true; })"), [], "buttons off the screen")
                frame = self.matches_native(size=(view["width"], view["height"]))

        page.evaluate(KEY_LOG)
        centre = lambda name: page.evaluate(
            "(function () { var r = document.querySelector('[aria-label=\"%s\"]').getBoundingClientRect(); "
            "return [r.x + r.width / 2, r.y + r.height / 2]; })()" % name)
        for key, name in [(key, name) for key, name in BUTTONS.items() if key != "F1"]:     # the keys held
            code = browser.KEYS[key][0]
            for ending in ("touchEnd", "touchCancel", "leaving the button", "a hidden page"):
                with self.subTest(name, ending=ending):
                    page.evaluate("duruvKeys = []")
                    page.touch("touchStart", centre(name))
                    if ending == "leaving the button":
                        page.touch("touchMove", (5, 5))
                    elif ending == "a hidden page":
                        page.evaluate("Object.defineProperty(document, 'hidden', {value: true, configurable: true}); "
                                      "document.dispatchEvent(new Event('visibilitychange')); delete document.hidden")
                    let_go = ending in ("leaving the button", "a hidden page")
                    self.assertEqual(page.evaluate("duruvKeys"), ["keydown %d" % code] + ["keyup %d" % code] * let_go)
                    page.touch("touchEnd" if ending != "touchCancel" else ending)
                    # The browser hands a cancel on to the page when it can, not at once.
                    until(lambda: len(page.evaluate("duruvKeys")) == 2, "the key's release")
                    self.assertEqual(page.evaluate("duruvKeys"), ["keydown %d" % code, "keyup %d" % code])
        with self.subTest("two buttons held at once are two keys held"):
            page.evaluate("duruvKeys = []")
            page.touch("touchStart", centre(BUTTONS["ArrowLeft"]), centre(BUTTONS["q"]))
            page.touch("touchEnd")
            self.assertEqual(sorted(page.evaluate("duruvKeys")), ["keydown 37", "keydown 81", "keyup 37", "keyup 81"])
        with self.subTest("two fingers on one button are one key, held until the last lifts"):
            page.evaluate("duruvKeys = []")
            x, y = centre(BUTTONS["ArrowLeft"])
            page.touch("touchStart", (x - 4, y), (x + 4, y))
            page.touch("touchEnd", (x - 4, y))
            self.assertEqual(page.evaluate("duruvKeys"), ["keydown 37"])
            page.touch("touchEnd")
            self.assertEqual(page.evaluate("duruvKeys"), ["keydown 37", "keyup 37"])
        with self.subTest("a button held turns the view one step a frame"):
            page.evaluate("duruvKeys = []")
            page.touch("touchStart", centre(BUTTONS["ArrowLeft"]))
            page.run_to(frame + 30)
            page.touch("touchEnd")
            self.assertEqual(scene.scene_fills(page.picture(), rotdy=30), [])
        for key in ("a", "F1"):
            code = browser.KEYS[key][0]
            with self.subTest("a click", button=BUTTONS[key]):
                page.evaluate("duruvKeys = []")
                x, y = centre(BUTTONS[key])
                for kind in ("mousePressed", "mouseReleased"):
                    page.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)
                self.assertEqual(page.evaluate("duruvKeys"), ["keydown %d" % code, "keyup %d" % code])

    def test_manifest_and_play_offline(self):
        self.in_chromium("the manifest as the browser reads it")
        page = self.page
        page.open(stop_after=10)
        manifest = page.call("Page.getAppManifest")
        self.assertEqual(manifest["errors"], [])
        self.assertEqual(manifest["manifest"]["name"], "Duruv")
        self.assertEqual(manifest["manifest"]["display"], "kFullscreen")
        for icon in manifest["manifest"]["icons"]:
            with open(os.path.join(self.folder, os.path.basename(icon["url"])), "rb") as f:
                image = picture.from_png(f.read())
            self.assertEqual("%dx%d" % (image.width, image.height), icon["sizes"])
        self.assertEqual(sorted(icon["sizes"] for icon in manifest["manifest"]["icons"]), ["192x192", "512x512"])
        until(lambda: page.evaluate("navigator.serviceWorker.controller !== null"), "the page's service worker")
        page.call("Network.clearBrowserCache")             # a phone's may have let every file go
        page.call("Network.setCacheDisabled", cacheDisabled=True)
        page.offline()
        page.open(stop_after=20)
        self.assertEqual(scene.scene_fills(page.picture()), [])

    def test_without_webgl_the_page_says_why(self):
        self.in_chromium("a browser without WebGL")
        page = self.page = self.browse(args=["--disable-3d-apis"])
        page.call("Page.navigate", url=page.origin + "/index.html")
        line = self.said()
        self.assertRegex(line, "^Duruv: .*WebGL.*Turn on hardware acceleration or WebGL")
        self.assertEqual(page.console, [line], "the same line as on standard error")
        page.console.clear()
