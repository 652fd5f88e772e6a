#!/usr/bin/env bash
# Builds the viewer and the benchmarks in build-bench and runs them all: the CPU side against a null GL,
# whole frames on a private Xvfb (library, literal and graphics floor interleaved) and the viewer's own
# frame rate. Results and build-bench/results/summary.md, the Markdown tables of docs/performance.md.
# Takes a few minutes; --quick runs the seconds-long smoke instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test
cmake -S "$root" --preset bench >/dev/null
cmake --build "$root/build-bench" --target splines cpu_bench frame_bench -j2 >/dev/null
"$root/bench/run_benchmarks.sh" "$root/build-bench" "$root/build-bench/results" "$@"
