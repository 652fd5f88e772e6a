# Pixel counts and mean colours of screenshot regions, for one colour rule and many regions at once
# (the image is decoded once).
# Usage: spots.py IMAGE RULE GEOMETRY...   (GEOMETRY WxH+X+Y; RULE a Python expression over r, g, b)
# Prints per region: count mean_r mean_g mean_b ("0 0 0 0" for no match)
import re
import subprocess
import sys

image, rule, *geometries = sys.argv[1:]
matches = eval("lambda r, g, b: " + rule)  # the rule is the test's own text
size = subprocess.run(["identify", "-format", "%w %h", image], check=True, stdout=subprocess.PIPE).stdout
width, height = map(int, size.split())
raw = subprocess.run(["convert", image, "-alpha", "off", "-depth", "8", "rgb:-"], check=True,
                     stdout=subprocess.PIPE).stdout
for geometry in geometries:
    w, h, left, top = map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", geometry).groups())
    picked = []
    for y in range(top, min(top + h, height)):
        row = raw[3 * (width * y + left): 3 * (width * y + min(left + w, width))]
        picked += [row[k:k + 3] for k in range(0, len(row), 3) if matches(*row[k:k + 3])]
    n = len(picked)
    print(n, *(round(sum(p[c] for p in picked) / n) if n else 0 for c in range(3)))
