"""Pictures of windows on an X display, and of PNG files."""
import subprocess


class Image:
    def __init__(self, width, height, raw):
        self.width, self.height, self.raw = width, height, raw

    def pixel(self, x, y):
        i = 3 * (int(y) * self.width + int(x))
        return tuple(self.raw[i:i + 3])

    def row(self, y):
        start = 3 * int(y) * self.width
        return self.raw[start:start + 3 * self.width]

    def crop(self, x, y, width, height):
        rows = (self.raw[3 * (row * self.width + x):3 * (row * self.width + x + width)] for row in range(y, y + height))
        return Image(width, height, b"".join(rows))

    def __eq__(self, other):
        return (self.width, self.height, self.raw) == (other.width, other.height, other.raw)


def from_ppm(ppm):
    magic, width, height, maximum, raw = ppm.split(maxsplit=4)
    if magic != b"P6" or maximum != b"255":
        raise RuntimeError("no 8-bit PPM picture")
    return Image(int(width), int(height), raw)


def from_png(png):
    return from_ppm(subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=png,
                                   capture_output=True, check=True).stdout)


def grab(env, window, path=None):
    """The picture of a window, saved as PNG too when a path is given."""
    ppm = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                         env=env, capture_output=True, check=True).stdout
    if path:
        subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)
    return from_ppm(ppm)
