"""What Duruv tells its users, read from data/about.txt as the build reads
it: the summary, the description and the keys."""
import os

FILE = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data", "about.txt")


def read():
    """The summary, the description's paragraphs (each with its lines), and
    the keys as (keys, buttons, action) in order, buttons a list."""
    summary, lines, keys = None, [], []
    with open(FILE) as f:
        for line in f.read().splitlines():
            field, _, value = line.partition(": ")
            if field == "Summary":
                summary = value
            elif line.startswith(" "):
                lines.append(line[1:])
            elif field == "Key":
                keys.append([value, [], None])
            elif field == "Buttons":
                keys[-1][1] = value.split(", ")
            elif field == "Does":
                keys[-1][2] = value
    paragraphs = "\n".join(lines).split("\n.\n")
    return summary, paragraphs, [tuple(key) for key in keys]
