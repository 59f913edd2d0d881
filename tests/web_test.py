"""The web ZIP's page in headless Chromium: its title, its 640 x 480 view,
the same pictures as the native program at the same frames, the finished
tower, the held keys, F1 there and back, a resize of the view, Escape's end
in words, a console without errors and no request outside the page's
origin."""
import os
import tempfile
import time
import unittest

import browser
import scene
from display import XServer
from program import Duruv
from wait import until

ZIP = os.environ.get("DURUV_WEB_ZIP", "")
NATIVE = os.environ.get("DURUV_BINARY", "")
COMPARED = (1, 600, 2500, 5100)     # frames: the start, flights, the finished tower
FAR = 0.12 * 255                    # a channel this far off is a different colour
ALIKE = 0.001                       # at most this share of the pixels may differ


def differing(a, b):
    """How many pixels of two pictures of one size differ in a channel by FAR."""
    return sum(any(abs(x - y) > FAR for x, y in zip(a.raw[i:i + 3], b.raw[i:i + 3]))
               for i in range(0, len(a.raw), 3))


class WebPage(unittest.TestCase):

    def setUp(self):
        work = tempfile.TemporaryDirectory()
        self.addCleanup(work.cleanup)
        self.page = browser.Page(browser.folder_of(ZIP, work.name))
        self.addCleanup(self.page.close)

    def tearDown(self):
        self.assertEqual(self.page.exceptions, [], "uncaught exceptions")
        self.assertEqual(self.page.console, [], "errors and warnings in the console")
        outside = [url for url in self.page.requests if not url.startswith(self.page.origin + "/")]
        self.assertEqual(outside, [], "requests outside the page's origin")

    def test_pictures_match_the_native_program_frame_by_frame(self):
        page = self.page
        page.open(stop_after=COMPARED[0])
        self.assertEqual(page.evaluate("document.title"), "Duruv")
        self.assertEqual((page.canvas()["width"], page.canvas()["height"]), scene.WINDOW)
        with XServer() as xs, Duruv(xs, NATIVE) as native:
            expected = {COMPARED[0]: native.start_up()}
            for before, frame in zip(COMPARED, COMPARED[1:]):
                expected[frame] = native.picture_after(frame - before)
            self.assertEqual(native.escape(), 0)
        self.assertEqual(scene.tower_on(expected[COMPARED[0]], 1), [])
        self.assertEqual(scene.tower_on(expected[COMPARED[-1]], 2), [])
        for frame in COMPARED:
            if frame != COMPARED[0]:
                page.run_to(frame)
            seen = page.picture()
            with self.subTest(frame=frame):
                self.assertLessEqual(differing(seen, expected[frame]), ALIKE * len(seen.raw) / 3)

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
            self.assertEqual(page.evaluate("document.fullscreenElement.id"), "view")
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
            until(lambda: page.evaluate("getComputedStyle(document.getElementById('ended')).display") == "block",
                  "the word that Duruv has ended")
            frames = page.frames()
            time.sleep(1)
            self.assertEqual(page.frames(), frames)
