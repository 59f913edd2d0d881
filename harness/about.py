"""What data/ says of Duruv, read as cmake/about.cmake reads it (the keys as
(keys, buttons, action)), and the icons that every package carries."""
import os
import re

DATA = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
HICOLOR = os.path.join(DATA, "icons", "hicolor")
ICON_SIZES = sorted(int(name.split("x")[0]) for name in os.listdir(HICOLOR))


def _read():
    fields, lines, keys = {}, [], []
    with open(os.path.join(DATA, "about.txt")) as f:
        for line in f.read().splitlines():
            field, _, value = line.partition(": ")
            if line.startswith(" "):
                lines.append(line[1:])
            elif field == "Key":
                keys.append([value, [], None])
            elif field == "Buttons":
                keys[-1][1] = value.split(", ")
            elif field == "Does":
                keys[-1][2] = value
            else:
                fields[field] = value
    return fields["ID"], fields["Summary"], "\n".join(lines).split("\n.\n"), [tuple(key) for key in keys]


ID, SUMMARY, PARAGRAPHS, KEYS = _read()
with open(os.path.join(DATA, "copyright")) as f:
    PUBLISHER = re.search(r"^Copyright: [0-9, -]+ (.*)$", f.read(), re.M).group(1)


def icon(size):
    """The icon of `size` pixels, relative to the hicolor theme."""
    return os.path.join("%dx%d" % (size, size), "apps", ID + ".png")
