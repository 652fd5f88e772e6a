#!/usr/bin/env bash
# Soak: the real viewer under Xvfb for many frames (10,000 by default) with its resident memory
# sampled from /proc along the way; after a warm-up it must stay flat. Too long for every test run
# (some minutes), so it is not a test_*.sh: run it by hand as
#   bash tests/e2e/soak_memory.sh build/splines build/tests/e2e-output [FRAMES]
# It writes the samples (frames, VmRSS in kB) to soak/rss.csv in the output directory.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/soak" "$1"
FRAMES=${3:-10000}
WARM_UP_FRAMES=500      # caches of the GL driver and the C library settle within these
RSS_TOLERANCE_KB=2048   # 200 bytes a frame over 10,000 frames; the samples move by about that much
LINES_PER_FRAME=62      # numbers of a start-scene frame

e2e_start_xserver
# The scratch file in memory, when there is a memory file system: every number rewrites it.
work=$E2E_WORK/viewer
[ -w /dev/shm ] && work=$(mktemp -d /dev/shm/splines-soak-XXXXXX) && trap 'rm -rf "$work"; e2e_cleanup' EXIT
e2e_start_viewer "$work"

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$E2E_PID/status" 2>/dev/null; }
frames_drawn() { echo $(($(e2e_lines) / LINES_PER_FRAME)); }

csv=$E2E_OUT/rss.csv
echo "frames,rss_kb" >"$csv"
start=$SECONDS
while :; do
  kill -0 "$E2E_PID" 2>/dev/null || { e2e_fail "the viewer ended during the soak"; break; }
  drawn=$(frames_drawn)
  echo "$drawn,$(rss_kb)" >>"$csv"
  [ "$drawn" -ge "$FRAMES" ] && break
  sleep 1
done
elapsed=$((SECONDS - start))
e2e_key Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check "whole frames: lines a multiple of $LINES_PER_FRAME" test $(($(e2e_lines) % LINES_PER_FRAME)) = 0

# Resident memory after the warm-up, which moves by a megabyte or two either way as the GL driver
# and the C library reuse their memory: the median of the first quarter of the samples against
# the median of the last quarter, and the lowest and highest sample.
read -r first last low high count < <(awk -F, -v w="$WARM_UP_FRAMES" '
  NR > 1 && $1 >= w && $2 != "" { s[n++] = $2 }
  function median(from, to,   k, m, t, a) {
    m = 0; for (k = from; k < to; k++) a[m++] = s[k]
    for (k = 1; k < m; k++) { t = a[k]; for (j = k - 1; j >= 0 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return a[int(m / 2)]
  }
  END {
    q = int(n / 4); if (q < 1) q = 1
    lo = s[0]; hi = s[0]; for (k = 0; k < n; k++) { if (s[k] < lo) lo = s[k]; if (s[k] > hi) hi = s[k] }
    print median(0, q), median(n - q, n), lo, hi, n
  }' "$csv")
echo "soak: $(frames_drawn) frames in ${elapsed} s; VmRSS after the first $WARM_UP_FRAMES frames, $count samples:" \
  "median of the first quarter ${first} kB, of the last quarter ${last} kB, lowest ${low} kB, highest ${high} kB;" \
  "samples in $csv"
e2e_at_least "frames drawn" "$(frames_drawn)" "$FRAMES"
e2e_at_most "VmRSS growth from the first to the last quarter in kB" $((last - first)) "$RSS_TOLERANCE_KB"
e2e_finish
