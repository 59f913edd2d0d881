"""What differs when the program under test is the Windows build under
Wine (DURUV_WRAPPER names Wine), each difference stated once with its
reason; elsewhere the harness and the tests are the same for every suite."""
import os
import re
import subprocess

WRAPPER = os.environ.get("DURUV_WRAPPER", "").split()
SERVER = os.environ.get("DURUV_WINESERVER", "wineserver")
UNDER_WINE = bool(WRAPPER)

# Wine on Xvfb keeps a full-screen window in the window manager's frame,
# pushed down by its title bar: the window's own picture shows the screen.
FRAMED_FULL_SCREEN = UNDER_WINE


def restart():
    """Waits until Wine's server has ended, as it does a few seconds after
    its last program, so that the next program starts it anew. Wine's
    desktop stays on the display it began on: a program started on another
    display while it ends gets no window ("Couldn't create window"). And a
    setting such as the display's scale takes effect then, as one of
    Windows' at the next sign-in (Wine 10 mixes the old and the new scale
    otherwise)."""
    subprocess.run([SERVER, "-w"], check=True)


def version():
    """Wine's major version, or None where the program runs natively."""
    if not UNDER_WINE:
        return None
    said = subprocess.run(WRAPPER + ["--version"], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"wine-(\d+)", said).group(1))


def cannot(what):
    """Why this suite cannot check `what` ("SIGTERM", "memory", "full
    screen"), or None where it can."""
    if not UNDER_WINE:
        return None
    if what == "SIGTERM":
        return "Windows has no SIGTERM"
    if what == "memory":
        return "the memory of a Windows program under Wine is Wine's"
    if what == "full screen" and version() >= 10:
        return ("Wine 10 and later on a virtual X display keep the window at 640 x 480 and show nothing "
                "in it after F1 (Debian 13); Wine 8 (Debian 12) goes full screen")
    return None
