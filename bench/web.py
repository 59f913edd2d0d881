"""The web Duruv's figures in each browser engine the system has, for
./bench.sh: the first frame after the page's load, frames a second paced
by the browser's animation frames and, where the engine can, unpaced (in
Chromium also at a phone's 3 pixels per CSS pixel, and with the CPU
throttled 4 times as for a phone), the main thread's milliseconds a frame
(from an animation frame's start to the program's next swap: the program,
the emulation and WebGL), in Chromium paced also the main thread's own CPU
time a frame from its trace, which leaves out the time the software
renderer's threads take the cores from it, and the sizes of duruv.wasm and
duruv.js.

    python3 -m bench.web WEB_ZIP"""
import gzip
import json
import os
import statistics
import sys
import tempfile
import time

from harness import browser
from harness.wait import until

FRAMES = 600                # frames measured, after the first
PACES = {"chromium": (True, False), "firefox": (True, False), "webkit": (True,)}
RATIO = 3                   # a phone's pixels per CSS pixel, which Chromium is measured at too
THROTTLE = 4                # Chromium's CPU throttling that stands for a mid-range phone


def measure(engine, folder, paced, throttle=1, traced=False, **options):
    """First frame (ms after navigation), frames a second, and the main
    thread's ms a frame, median and 95th percentile; traced, its own CPU ms
    a frame too."""
    with browser.open_page(engine, folder, paced=paced, **options) as page:
        if throttle > 1:
            page.call("Emulation.setCPUThrottlingRate", rate=throttle)
        page.open(stop_after=1)
        first = page.evaluate("window.duruvFrames.firstAt")
        if traced:
            page.call("Tracing.start", transferMode="ReturnAsStream",
                      traceConfig={"includedCategories": ["devtools.timeline", "disabled-by-default-devtools.timeline"]})
        start = time.monotonic()
        page.run_to(1 + FRAMES)
        rate = FRAMES / (time.monotonic() - start)
        figures = (first, rate) + spread(page.evaluate("window.duruvFrames.busy.slice(1)"))
        return figures + spread(cpu_per_frame(page)) if traced else figures


def spread(times):
    """Median and 95th percentile."""
    return statistics.median(times), statistics.quantiles(times, n=20)[18]


def cpu_per_frame(page):
    """The main thread's CPU ms of each animation frame in Chromium's trace."""
    page.call("Tracing.end")
    until(lambda: page.call("Runtime.evaluate", expression="0") and page.trace, "the trace")
    data = ""
    while True:
        chunk = page.call("IO.read", handle=page.trace)
        data += chunk["data"]
        if chunk.get("eof"):
            break
    events = json.loads(data)
    return [event["tdur"] / 1000 for event in (events["traceEvents"] if isinstance(events, dict) else events)
            if event.get("name") == "FireAnimationFrame" and event.get("ph") == "X"]


def main(zip_file):
    with tempfile.TemporaryDirectory() as work:
        folder = browser.folder_of(zip_file, work)
        for engine, paces in PACES.items():
            if browser.missing(engine):
                print("Web in %s: %s" % (engine, browser.missing(engine)))
                continue
            print("Web in %s (software WebGL), %d frames:" % (engine, FRAMES))
            runs = [("paced" if paced else "unpaced", paced, {"traced": engine == "chromium" and paced})
                    for paced in paces]
            if engine == "chromium":
                runs += [("%s x%d" % (name, RATIO), paced, {"args": ["--force-device-scale-factor=%d" % RATIO]})
                         for name, paced, _ in list(runs)]
                runs += [("paced, CPU/%d" % THROTTLE, True, {"throttle": THROTTLE})]
            for name, paced, options in runs:
                figures = measure(engine, folder, paced, **options)
                print("  %-14s first frame %4.0f ms after load, %5.1f frames/s, main thread %5.2f ms a frame "
                      "(median), %5.2f (95th percentile)" % ((name,) + figures[:4])
                      + (", its own CPU %.2f, %.2f" % figures[4:] if options.get("traced") else ""))
        for name in ("duruv.wasm", "duruv.js"):
            with open(os.path.join(folder, name), "rb") as f:
                data = f.read()
            print("  %-10s %6.1f KB, %5.1f KB gzipped" % (name, len(data) / 1000, len(gzip.compress(data, 9)) / 1000))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
