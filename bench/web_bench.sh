#!/usr/bin/env bash
# The web build against the native viewer, frames a second side by side: the start scene, 10 splines
# of 50 sites and 100 of 100 (run, trail and site table on), in headless Chromium (bench/web_fps.mjs)
# and on a private Xvfb, alternately, so that the load's drift hits both alike; the ratio is taken
# pair by pair. The native frames are counted by console lines, as many a frame as the web page's.
# Usage: web_bench.sh NATIVE_SPLINES BUILD_WEB_DIR OUTPUT_DIR [ROUNDS] [SECONDS]   (scripts/web.sh --bench)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/harness.sh"
e2e_init "$3/bench" "$1"
build_web=$(cd "$2" && pwd)
rounds=${4:-3} seconds=${5:-5}
e2e_start_xserver

# native_fps SPLINES SITES LINES_PER_FRAME: the native viewer's frames a second in that scene.
native_fps() {
  e2e_start_viewer
  e2e_wait_lines 62 60
  if [ "$1" -gt 0 ]; then
    local keys=(z) s k
    for s in $(seq "$1"); do
      for k in $(seq "$2"); do keys+=(n); done
      keys+=(x)
    done
    e2e_burst "${keys[@]}" a d q
  fi
  sleep 1
  local l0 l1 t0 t1
  l0=$(e2e_lines) t0=$(date +%s.%N)
  sleep "$seconds"
  l1=$(e2e_lines) t1=$(date +%s.%N)
  e2e_key Escape
  e2e_wait_exit
  awk -v a="$l0" -v b="$l1" -v s="$t0" -v e="$t1" -v n="$3" 'BEGIN { printf "%.2f", (b - a) / n / (e - s) }'
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

summary=$E2E_OUT/summary.md
{
  echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores; $(date -u '+%Y-%m-%d %H:%M UTC'); load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo
  echo "| scene | web frames/s | native frames/s | web / native (median of $rounds pairs) |"
  echo "|---|---|---|---|"
} >"$summary"
for scene in "start 0 0" "10x50 10 50" "100x100 100 100"; do
  read -r name splines sites <<<"$scene"
  webs=() natives=() ratios=()
  for round in $(seq "$rounds"); do
    read -r web lines < <(node "$here/web_fps.mjs" "$build_web" "$splines" "$sites" "$seconds")
    native=$(native_fps "$splines" "$sites" "$lines")
    ratio=$(awk -v w="$web" -v n="$native" 'BEGIN { printf "%.2f", (n > 0 ? w / n : 0) }')
    echo "$name round $round: web $web, native $native frames/s ($lines console lines a frame): $ratio"
    webs+=("$web") natives+=("$native") ratios+=("$ratio")
  done
  echo "| $name | $(median "${webs[@]}") | $(median "${natives[@]}") | $(median "${ratios[@]}") |" >>"$summary"
done
cat "$summary"
