"""One whole run of the real program under a window manager, as a user
sees it: the window, the first picture, the solution played to the end,
the view keys afterwards, stray keys and the mouse, and Escape."""
import sys

from xsession import (XServer, Duruv, look, disk_point, peg_point, tower_on,
                      wait_until_still, run_checks)

BINARY = sys.argv[1]


def main():
    with XServer(window_manager=True) as xs:
        with Duruv(xs, BINARY) as program:
            state = {}

            def window():
                program.find_window()
                assert program.geometry() == (640, 480), program.geometry()
                hints = xs.run("xprop", "-id", str(program.window), "WM_NORMAL_HINTS")
                assert "program specified maximum size" not in hints, "not resizable:\n" + hints

            def first_picture():
                image = program.first_frame()
                for k in range(1, 7):       # disk 1 may already be rising
                    assert look(image, disk_point(1, k)) == "disk", "no disk at position %d" % k
                for peg in (2, 3):
                    assert look(image, disk_point(peg, 1)) == "black", "a disk on peg %d" % peg
                    assert look(image, peg_point(peg, 4.0)) == "peg", "no peg %d" % peg
                assert look(image, (16.5, -0.25, 11.0)) == "base", "no base"

            def whole_run():
                state["end"] = wait_until_still(program)
                failures = tower_on(state["end"], 2)
                assert not failures, "; ".join(failures)

            def view_keys_after_the_end():
                for key in ("Left", "Right", "Up", "Down", "a", "q"):
                    program.press(key, hold=0.05)
                    moved = wait_until_still(program, timeout=5, interval=0.1)
                    assert moved != state["end"], key + " did not change the picture"
                    state["end"] = moved
                assert program.proc.poll() is None, "the program ended by itself"

            def stray_input_changes_nothing():
                keys = ([c for c in "bcdefghijklmnoprstuvwxyz0123456789"] +
                        ["Shift_L", "Control_L", "Alt_L", "Super_L", "Caps_Lock", "space",
                         "Return", "Tab", "BackSpace", "Home", "End", "Prior", "Next"] +
                        ["F%d" % n for n in range(2, 13)])
                presses = [keys[i % len(keys)] for i in range(1000)]
                for start in range(0, len(presses), 250):
                    xs.run("xdotool", "key", "--window", str(program.window), "--delay", "0",
                           *presses[start:start + 250])
                w = str(program.window)
                for x, y in ((10, 10), (320, 240), (600, 400), (100, 300)):
                    xs.run("xdotool", "mousemove", "--window", w, str(x), str(y),
                           "click", "1", "click", "3", "click", "4", "click", "5")
                after = wait_until_still(program, timeout=10, interval=0.1)
                assert after == state["end"], "stray keys or the mouse changed the picture"
                assert program.proc.poll() is None, "the program ended"

            def escape_ends_with_status_zero():
                status = program.escape()
                assert status == 0, "status %s" % status
                assert program.output() == (b"", b""), program.output()
                windows = xs.run("xdotool", "search", "--name", "^Duruv$", check=False)
                assert windows.strip() == "", "a window remains"

            return run_checks([("window 640x480, captioned and resizable", window),
                               ("first picture: tower on peg 1", first_picture),
                               ("whole run: tower on peg 2", whole_run),
                               ("view keys after the end", view_keys_after_the_end),
                               ("1000 stray keys and the mouse change nothing",
                                stray_input_changes_nothing),
                               ("Escape ends with status 0", escape_ends_with_status_zero)])


if __name__ == "__main__":
    sys.exit(main())
