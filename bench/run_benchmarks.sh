#!/usr/bin/env bash
# Runs the benchmarks of a build: the CPU side against a null GL (cpu_bench), whole frames on a private
# Xvfb (frame_bench: library, literal and graphics floor interleaved) and the viewer's own frame rate at
# start, counted by its console lines, on a 1024x768 screen and in the fallback window on a 1920x1080
# one. Writes OUTPUT_DIR/summary.md with the machine and every table.
# Usage: run_benchmarks.sh BUILD_DIR OUTPUT_DIR [--quick]   (--quick: a smoke run of a few seconds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
quick=${3:-}

if [ "$quick" = --quick ]; then
  cpu_flags=(--benchmark_min_time=0.01)
  frame_flags=(--frames 1 --warmup 0)
  viewer_windows=1 viewer_seconds=1
else
  cpu_flags=(--benchmark_repetitions=5 --benchmark_min_time=0.3)
  frame_flags=(--frames 21 --warmup 2)
  viewer_windows=5 viewer_seconds=4
fi
lines_per_frame=62  # numbers drawn by a start-scene frame: 2 per spline, 4 per site-table row

summary=$out/summary.md
{
  echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, Linux $(uname -r); $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "Load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
} >"$summary"

echo "== CPU side against the null GL (cpu_bench ${cpu_flags[*]})"
"$build/bench/cpu_bench" "${cpu_flags[@]}" --summary "$out/cpu.md" | tee "$out/cpu.txt"

source "$root/tests/e2e/harness.sh"
e2e_init "$out/x" "$build/splines"
e2e_start_xserver

echo "== Whole frames on Xvfb (frame_bench ${frame_flags[*]})"
"$build/bench/frame_bench" "${frame_flags[@]}" --times "$out/frame_times.tsv" | tee "$out/frames.md"
# The literal frames' flushes keep the disk and the journal busy into the next frames; the library's
# frame against the floor once more without them.
echo "== Whole frames on Xvfb, library and floor only (frame_bench ${frame_flags[*]} --no-literal)"
"$build/bench/frame_bench" "${frame_flags[@]}" --no-literal | tee "$out/frames-no-literal.md"

# The viewer itself at start: ms per frame from its console lines over one window of time, on a fresh X
# server of the given size; sets viewer_ms.
viewer_window_ms() {
  local l0 l1 t0 t1
  e2e_stop_xserver
  e2e_start_xserver xvfb "$1"
  e2e_start_viewer
  e2e_wait_lines $((3 * lines_per_frame)) 60
  l0=$(e2e_lines)
  t0=$(date +%s.%N)
  sleep "$viewer_seconds"
  l1=$(e2e_lines)
  t1=$(date +%s.%N)
  viewer_ms=$(awk -v a="$l0" -v b="$l1" -v s="$t0" -v e="$t1" -v n="$lines_per_frame" \
    'BEGIN { f = (b - a) / n / (e - s); printf "%.3f", (f > 0 ? 1000 / f : 0) }')
  e2e_key Escape
  e2e_wait_exit
}

# "median (low-high)" of the numbers given.
median_range() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    printf "%.2f (%.2f-%.2f)", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'
}

# On a 1024x768 screen and in the fallback window on a 1920x1080 one (the picture scaled to 1440 x 1080
# between bars), alternately, so that the load's drift hits both alike; the ratio is taken pair by pair.
echo "== The viewer at start ($viewer_windows x $viewer_seconds s on each screen, alternately, $lines_per_frame console lines a frame)"
set +e  # the harness checks its own steps (a window search that finds nothing yet is not an error)
base_times=() wide_times=() ratios=()
for _ in $(seq "$viewer_windows"); do
  viewer_window_ms 1024x768
  base_times+=("$viewer_ms")
  viewer_window_ms 1920x1080
  wide_times+=("$viewer_ms")
  ratios+=("$(awk -v b="${base_times[-1]}" -v w="$viewer_ms" 'BEGIN { printf "%.3f", (b > 0 ? w / b : 0) }')")
done
e2e_stop_xserver
viewer_rows="| start scene (7 x 12, trail on), 1024 x 768 screen | $(median_range "${base_times[@]}") | 1 | $viewer_windows |
| the same, fallback window on a 1920 x 1080 screen (picture 1440 x 1080) | $(median_range "${wide_times[@]}") | $(median_range "${ratios[@]}") | $viewer_windows |"
echo "$viewer_rows"
[ "$E2E_FAILURES" -eq 0 ] || { echo "the viewer did not run as expected" >&2; exit 1; }
set -e

{
  echo
  echo "Whole frames on Xvfb, median (range) of $([ "$quick" = --quick ] && echo 1 || echo 21) frames each, interleaved:"
  echo
  cat "$out/frames.md"
  echo
  echo "The same without the literal frames (their flushes to disk slow the frames after them):"
  echo
  awk -F'|' '/^\|/ { print "|" $2 "|" $3 "|" $4 "|" $6 "|" $8 "|" }' "$out/frames-no-literal.md"
  echo
  echo "The viewer itself:"
  echo
  echo "| scene, screen | ms per frame, median (range) | / 1024 x 768 | windows |"
  echo "|---|---|---|---|"
  echo "$viewer_rows"
  echo
  echo "CPU side against the null GL, median (range) over the repetitions:"
  cat "$out/cpu.md"
} >>"$summary"
echo "Summary: $summary"

# Every benchmark reported: three frame tables from each program, three spline lengths, the numbers.
rows() { grep -c "$1" "$2" || true; }
[ "$(rows '^| [0-9]* x [0-9]*, wall |' "$out/frames.md")" -eq 3 ] || { echo "frame_bench reported no 3 tables" >&2; exit 1; }
[ "$(rows '^| [0-9]*/[0-9]* |' "$out/cpu.md")" -eq 3 ] || { echo "cpu_bench reported no 3 frames" >&2; exit 1; }
[ "$(rows '^| [0-9]* | ' "$out/cpu.md")" -eq 3 ] || { echo "cpu_bench reported no 3 spline lengths" >&2; exit 1; }
[ "$(rows '^| number_to_text |' "$out/cpu.md")" -eq 2 ] || { echo "cpu_bench reported no numbers" >&2; exit 1; }
