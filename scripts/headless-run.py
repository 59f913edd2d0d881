"""Plays Duruv on a virtual display when there is no screen: snapshots of
the window go into a folder, are joined into an animated GIF, and Escape
ends the program once the picture stands still (the solution is over)."""
import os
import subprocess
import sys
import time

from xsession import XServer, Duruv

INTERVAL = 0.1      # seconds of play between snapshots


def main(binary, folder):
    os.makedirs(folder, exist_ok=True)
    print("No display: playing Duruv on a virtual one; snapshots go to %s" % folder)
    with XServer(window_manager=True) as xs:
        program = Duruv(xs, binary)
        program.find_window()
        shots = [program.first_frame(os.path.join(folder, "000.png"))]
        while True:
            time.sleep(INTERVAL)
            path = os.path.join(folder, "%03d.png" % len(shots))
            shots.append(program.frozen_screenshot(path))
            if shots[-1] == shots[-2]:      # still: the tower stands on peg 2
                break
        status = program.escape(timeout=5)
        program.kill()
    frames = sorted(f for f in os.listdir(folder) if f.endswith(".png"))
    subprocess.run(["convert", "-delay", "10", "-loop", "0"] +
                   [os.path.join(folder, f) for f in frames] +
                   [os.path.join(folder, "duruv.gif")], check=True)
    print("%d snapshots and duruv.gif in %s" % (len(frames), folder))
    print("Duruv ended with status %s" % status)
    return 0 if status == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
