"""What differs for the Windows build under Wine (DURUV_WRAPPER=wine), each with
its reason. `python3 -m harness.wine` makes the Wine tests' prefix, the ZIP
unpacked beside it, or exits 77 saying what is missing."""
import glob
import os
import re
import shutil
import subprocess
import sys

from harness import files

UNDER_WINE = os.environ.get("DURUV_WRAPPER") == "wine"
_FOUND = [shutil.which(name) or shutil.which(name, path="/usr/lib/wine") for name in ("wine64", "wine", "wineserver")]
WRAPPER = [_FOUND[0] or _FOUND[1]] if UNDER_WINE else []
SERVER = _FOUND[2]
ZIPS = glob.glob(os.path.join(os.environ.get("DURUV_WINDOWS_DIR", ""), "duruv-*-win64.zip"))

# Wine on Xvfb keeps a full-screen window in the window manager's frame,
# pushed down by its title bar: the window's own picture shows the screen.
FRAMED_FULL_SCREEN = UNDER_WINE


def missing():
    """Why the Windows build cannot be played here, or None."""
    if not ((_FOUND[0] or _FOUND[1]) and SERVER):
        return "missing: Wine (the package wine64, or wine where the release names it so)"
    if not ZIPS:
        return "missing: the Windows ZIP (./package.sh windows builds it)"
    return None


def restart():
    """Waits until Wine's server has ended, so that the next program starts it
    anew on its own display, with settings such as the display's scale in force."""
    subprocess.run([SERVER, "-w"], check=True)


def version():
    """Wine's major version, or None where the program runs natively."""
    if not UNDER_WINE:
        return None
    said = subprocess.run(WRAPPER + ["--version"], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"wine-(\d+)", said).group(1))


def cannot(what):
    """Why this suite cannot check `what`, or None where it can."""
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


def make_prefix():
    """A new prefix in WINEPREFIX, the ZIP unpacked beside it in portable/."""
    if missing():
        print(missing())
        return 77
    work = os.path.dirname(os.environ["WINEPREFIX"])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "portable"))
    files.unpack(ZIPS[0], os.path.join(work, "portable"))
    subprocess.run(WRAPPER + ["wineboot", "-i"], check=True)
    restart()
    return 0


if __name__ == "__main__":
    sys.exit(make_prefix())
