"""Plays Duruv on a virtual display when there is no screen: snapshots of
the window go into a folder, are joined into an animated GIF, and Escape
ends the program once the tower stands finished on peg 2."""
import os
import subprocess
import sys
import time

from harness import scene
from harness.display import XServer
from harness.program import Duruv

INTERVAL = 0.1      # seconds of play between snapshots


def main(binary, folder):
    os.makedirs(folder, exist_ok=True)
    print("No display: playing Duruv on a virtual one; snapshots go to %s" % folder)
    with XServer(window_manager=True) as xs, Duruv(xs, binary) as program:
        shots = [program.start_up(os.path.join(folder, "000.png"))]

        def snapshot_until_finished():
            if time.monotonic() - snapshot_until_finished.last < INTERVAL:
                return False
            snapshot_until_finished.last = time.monotonic()
            shots.append(program.frozen_screenshot(os.path.join(folder, "%03d.png" % len(shots))))
            return shots[-1] == shots[-2] and not scene.tower_on(shots[-1], 2)
        snapshot_until_finished.last = time.monotonic()
        program.until(snapshot_until_finished, "the finished tower on peg 2")
        status = program.escape()
    frames = sorted(f for f in os.listdir(folder) if f.endswith(".png"))
    subprocess.run(["convert", "-delay", "10", "-loop", "0"] +
                   [os.path.join(folder, f) for f in frames] +
                   [os.path.join(folder, "duruv.gif")], check=True)
    print("%d snapshots and duruv.gif in %s" % (len(frames), folder))
    print("Duruv ended with status %s" % status)
    return 0 if status == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
