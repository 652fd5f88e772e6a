#!/usr/bin/env bash
# Builds everything and runs every test layer (unit, gl, e2e, fuzz, bench smoke).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test
jobs=$(nproc)

cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" -j"$jobs"
(cd "$root/build" && ctest --output-on-failure -j"$jobs")
