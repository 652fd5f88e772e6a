# What the viewer prints while it shows its start scene, worked out here independently: the random
# generator, the scene it draws, the polyline lengths and the two length columns, in the stated
# precisions, formatted like the viewer's stream output (printf %g).
# Usage: start_scene.py console STDOUT   checks every frame of a console log of the start scene
#        start_scene.py last-number      prints the text of the last number of such a frame
import math
import struct
import sys

ROW_LINES = 4  # row number, x, y, z of each run point in the site table


def f32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


class Generator:
    def __init__(self):
        self.state = 1

    def __call__(self):
        self.state = (self.state * 214013 + 2531011) % 2**32
        return (self.state >> 16) & 32767


def start_scene():
    rand = Generator()
    offset = f32(23 + (rand() % 1000) * 0.012321)
    sites = rand() % 20 + 5
    splines = []
    for _ in range(rand() % 10 + 3):
        cx, cy, cz = rand() % 1000 - 500, rand() % 1000 - 500, rand() % 600 - 300
        rows = []
        for _ in range(sites):
            x = rand() % 300 - 150 + cx
            y = rand() % 300 - 150 + cy
            z = rand() % 300 - 150 + cz
            rows.append((x, y, z))
        splines.append(rows)
    # The scene every start produces; a model that disagrees is wrong itself.
    assert (len(splines), sites) == (7, 12) and splines[0][:2] == [(-72, -223, -64), (14, -476, -81)]
    assert offset == f32(23.505161)
    return offset, splines


def polyline_length(sites):
    total = 0.0
    for a, b in zip(sites[1:-1], sites[2:]):  # from site 1 on; the closing segment is not counted
        total = f32(total + f32(math.sqrt(sum((p - q) ** 2 for p, q in zip(a, b)))))
    return total


def column_texts():
    offset, splines = start_scene()
    green = ["%g" % f32((polyline_length(s) + offset) + i * offset * 0.1) for i, s in enumerate(splines)]
    red = ["%g" % f32(((polyline_length(s) * 0.1) + polyline_length(s)) * 0.1 * f32(0.01)) for s in splines]
    return len(splines[0]), green, red


def check_console(path):
    sites, green, red = column_texts()
    columns = [str(len(text)) for text in green + red]
    frame_lines = ROW_LINES * sites + len(columns)
    lines = open(path).read().split("\n")
    if lines[-1] == "":
        lines.pop()
    failures = []
    if not lines or len(lines) % frame_lines:
        failures.append("%d lines: not whole frames of %d" % (len(lines), frame_lines))
    for first in range(0, len(lines) - len(lines) % frame_lines, frame_lines):
        frame = lines[first:first + frame_lines]
        for row in range(sites):
            if frame[ROW_LINES * row] != str(len(str(row))):
                failures.append("line %d: row number %d printed as %s" % (first + ROW_LINES * row + 1, row,
                                                                          frame[ROW_LINES * row]))
            for k in range(1, ROW_LINES):
                if not 1 <= int(frame[ROW_LINES * row + k]) <= 12:
                    failures.append("line %d: coordinate of %s characters" % (first + ROW_LINES * row + k + 1,
                                                                            frame[ROW_LINES * row + k]))
        if frame[ROW_LINES * sites:] != columns:
            failures.append("line %d: columns %s, expected %s" % (first + ROW_LINES * sites + 1,
                                                                  frame[ROW_LINES * sites:], columns))
    for failure in failures[:10]:
        print("FAIL: console: " + failure)
    if not failures:
        print("ok: %d frames of %d lines: %d rows of the site table, then the columns %s (%s | %s)"
              % (len(lines) // frame_lines, frame_lines, sites, columns, " ".join(green), " ".join(red)))
    return 1 if failures else 0


if sys.argv[1] == "console":
    sys.exit(check_console(sys.argv[2]))
if sys.argv[1] == "last-number":
    print(column_texts()[2][-1], end="")
