#!/usr/bin/env bash
# Checks the links of the README and docs/, builds everything and runs every test layer: unit, gl,
# e2e and the bench smoke with g++, the Debian package and its tests (scripts/package.sh --test), then
# the unit and gl tests again under AddressSanitizer and UndefinedBehaviorSanitizer together with the
# key fuzzer (clang); last the web build in headless Chromium (scripts/web.sh), skipped with a message
# where Emscripten or Chromium cannot be installed. SPLINES_SKIP_SANITIZE=1 skips the second build,
# SPLINES_SKIP_WEB=1 the web build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test
python3 "$root/scripts/check-links.py"
jobs=$(nproc)

cmake -S "$root" -B "$root/build" -DSPLINES_TESTS=ON -DSPLINES_BENCH=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
(cd "$root/build" && ctest --output-on-failure -j"$jobs")
# The Debian package, built in build-package from a Release tree, and its tests.
"$root/scripts/package.sh" --test

if [ "${SPLINES_SKIP_SANITIZE:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" \
    -DSPLINES_FUZZ=ON -DSPLINES_BENCH=OFF >/dev/null
  cmake --build "$root/build-sanitize" -j"$jobs"
  (cd "$root/build-sanitize" && ctest --output-on-failure -j"$jobs" -LE e2e)
fi

if [ "${SPLINES_SKIP_WEB:-0}" != 1 ]; then
  status=0
  "$root/scripts/web.sh" || status=$?
  if [ $status = 77 ]; then echo "SKIP: the web tests (see the reason above)"; elif [ $status != 0 ]; then exit $status; fi
fi
