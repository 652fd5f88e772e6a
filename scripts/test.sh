#!/usr/bin/env bash
# Builds everything and runs every test layer: unit, gl, e2e and the bench smoke with g++, then the
# unit and gl tests again under AddressSanitizer and UndefinedBehaviorSanitizer together with the
# key fuzzer (clang); then the Windows build and its tests under Wine (scripts/windows.sh), which
# are skipped with a message where Wine cannot be installed. SPLINES_SKIP_SANITIZE=1 skips the second
# build, SPLINES_SKIP_WINDOWS=1 the Windows one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test
jobs=$(nproc)

cmake -S "$root" -B "$root/build" -DSPLINES_TESTS=ON -DSPLINES_BENCH=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
(cd "$root/build" && ctest --output-on-failure -j"$jobs")

if [ "${SPLINES_SKIP_SANITIZE:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" \
    -DSPLINES_FUZZ=ON -DSPLINES_BENCH=OFF >/dev/null
  cmake --build "$root/build-sanitize" -j"$jobs"
  (cd "$root/build-sanitize" && ctest --output-on-failure -j"$jobs" -LE e2e)
fi

if [ "${SPLINES_SKIP_WINDOWS:-0}" != 1 ]; then
  status=0
  SPLINES_LINUX_VIEWER="$root/build/splines" "$root/scripts/windows.sh" || status=$?
  if [ "$status" = 77 ]; then
    echo "The Windows tests were skipped: Wine could not be installed." >&2
  elif [ "$status" != 0 ]; then
    exit "$status"
  fi
fi
