# Mean colour of the pixels of a screenshot region that satisfy a colour rule.
# Usage: spots.py IMAGE GEOMETRY RULE   (GEOMETRY WxH+X+Y; RULE a Python expression over r, g, b)
# Prints: count mean_r mean_g mean_b ("0 0 0 0" for no match)
import subprocess
import sys

image, geometry, rule = sys.argv[1:4]
matches = eval("lambda r, g, b: " + rule)  # the rule is the test's own text
raw = subprocess.run(["convert", image, "-crop", geometry, "+repage", "-alpha", "off", "-depth", "8", "rgb:-"],
                     check=True, stdout=subprocess.PIPE).stdout
picked = [raw[k:k + 3] for k in range(0, len(raw) - 2, 3) if matches(*raw[k:k + 3])]
n = len(picked)
print(n, *(round(sum(p[c] for p in picked) / n) if n else 0 for c in range(3)))
