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
RSS_TOLERANCE_KB=1024   # a leak of 100 bytes a frame would pass this within 10,000 frames
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

# Resident memory after the warm-up: its first sample, its highest and its last.
read -r base peak last < <(awk -F, -v w="$WARM_UP_FRAMES" \
  'NR > 1 && $1 >= w && $2 != "" { if (!n++) b = $2; if ($2 > p) p = $2; l = $2 } END { print b, p, l }' "$csv")
echo "soak: $(frames_drawn) frames in ${elapsed} s; VmRSS after $WARM_UP_FRAMES frames ${base} kB," \
  "highest ${peak} kB, last ${last} kB; samples in $csv"
e2e_at_least "frames drawn" "$(frames_drawn)" "$FRAMES"
e2e_at_most "VmRSS growth after the warm-up in kB" $((peak - base)) "$RSS_TOLERANCE_KB"
e2e_finish
