# Pixel statistics of a screenshot region: how many pixels match a colour rule, and where they lie.
# Usage: pixels.py IMAGE GEOMETRY RULE
#   GEOMETRY  WxH+X+Y in screen pixels
#   RULE      a Python expression over the 8-bit channels r, g, b, e.g. "g > 96 and r < 64 and b < 64"
# Prints: count centroid_x centroid_y left top right bottom (screen pixels; "0 -1 -1 -1 -1 -1 -1" for
# no match).
import re
import subprocess
import sys


def region_pixels(image, geometry):
    width, height, left, top = map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", geometry).groups())
    raw = subprocess.run(["convert", image, "-crop", geometry, "+repage", "-alpha", "off", "-depth", "8",
                          "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
    width = len(raw) // 3 // height if height else 0  # a crop beyond the edge comes back narrower
    return raw, width, height, left, top


def main():
    image, geometry, rule = sys.argv[1:4]
    matches = eval("lambda r, g, b: " + rule)  # the rule is the test's own text
    raw, width, height, left, top = region_pixels(image, geometry)
    count = sum_x = sum_y = 0
    min_x = min_y = 1 << 30
    max_x = max_y = -1
    for y in range(height):
        row = raw[3 * width * y: 3 * width * (y + 1)]
        for x in range(width):
            if matches(row[3 * x], row[3 * x + 1], row[3 * x + 2]):
                count += 1
                sum_x += x
                sum_y += y
                min_x, max_x = min(min_x, x), max(max_x, x)
                min_y, max_y = min(min_y, y), max(max_y, y)
    if count == 0:
        print("0 -1 -1 -1 -1 -1 -1")
        return
    print(count, "%.1f" % (left + sum_x / count), "%.1f" % (top + sum_y / count),
          left + min_x, top + min_y, left + max_x, top + max_y)


main()
