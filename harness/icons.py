"""The program's icons as the icon maker wrote them under data/icons/, which
every package carries: their sizes and the file of each."""
import os

HICOLOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "icons", "hicolor")
ID = "org.duruv.Duruv"
SIZES = sorted(int(name.split("x")[0]) for name in os.listdir(HICOLOR))


def path(size):
    """The icon of `size` pixels, relative to the hicolor theme."""
    return os.path.join("%dx%d" % (size, size), "apps", ID + ".png")
