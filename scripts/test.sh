#!/usr/bin/env bash
# Checks the links of the README and docs/, builds everything and runs every test layer: unit, gl,
# e2e and the bench smoke with g++, the Debian package and its tests (scripts/package.sh --test), then
# the unit and gl tests again under AddressSanitizer and UndefinedBehaviorSanitizer together with the
# key fuzzer (clang); then the Windows build and its tests under Wine (scripts/windows.sh) and the web
# build in headless Chromium (scripts/web.sh), each skipped with a message where its tools cannot be
# installed. Meanwhile the same command runs on a fresh Debian 13 root (scripts/test-on.sh trixie),
# there without the Windows build and the package. SPLINES_SKIP_SANITIZE=1 skips the second build,
# SPLINES_SKIP_PACKAGE=1 the package, SPLINES_SKIP_WINDOWS=1 and SPLINES_SKIP_WEB=1 the Windows and
# web builds, SPLINES_SKIP_TRIXIE=1 the Debian 13 stage (and the others skip theirs there too).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test
python3 "$root/scripts/check-links.py"
jobs=$(nproc)

# The trixie stage: this commit's test command on a fresh Debian 13 root (scripts/test-on.sh), without
# the Windows build and the package, in the background from here on, so that making the root and
# installing its packages overlap the builds below; waited for at the end.
trixie=
if [ "${SPLINES_SKIP_TRIXIE:-0}" != 1 ]; then
  "$root/scripts/install-deps.sh" roots
  trixie_log=$root/build-trixie/test-on.log
  mkdir -p "$(dirname "$trixie_log")"
  echo "The trixie stage runs in the background; its log: $trixie_log" >&2
  SPLINES_SKIP_WINDOWS=1 SPLINES_SKIP_PACKAGE=1 "$root/scripts/test-on.sh" trixie >"$trixie_log" 2>&1 &
  trixie=$!
  trap '[ -z "$trixie" ] || kill "$trixie" 2>/dev/null || true' EXIT
fi

# Warnings are errors here, as in CI.
cmake -S "$root" --preset tests -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
(cd "$root/build" && ctest --output-on-failure -j"$jobs")
# The Debian package, built in build-package from a Release tree, and its tests.
[ "${SPLINES_SKIP_PACKAGE:-0}" = 1 ] || "$root/scripts/package.sh" --test

if [ "${SPLINES_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S "$root" --preset sanitize -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build "$root/build-sanitize" -j"$jobs"
  (cd "$root/build-sanitize" && ctest --output-on-failure -j"$jobs" -LE e2e)
fi

# optional_port NAME COMMAND...: runs a port's script; its status 77 means its tools could not be
# installed here, which is said and skipped, any other failure fails the test command.
optional_port() {
  local name=$1 status=0
  shift
  "$@" || status=$?
  if [ "$status" = 77 ]; then
    echo "SKIP: the $name tests (see the reason above)" >&2
  elif [ "$status" != 0 ]; then
    exit "$status"
  fi
}
[ "${SPLINES_SKIP_WINDOWS:-0}" = 1 ] ||
  optional_port Windows env SPLINES_LINUX_VIEWER="$root/build/splines" "$root/scripts/windows.sh"
[ "${SPLINES_SKIP_WEB:-0}" = 1 ] || optional_port web "$root/scripts/web.sh"

if [ -n "$trixie" ]; then
  echo "Waiting for the trixie stage" >&2
  status=0
  wait "$trixie" || status=$?
  trixie=
  if [ "$status" = 77 ]; then
    tail -n 1 "$trixie_log" >&2
  elif [ "$status" != 0 ]; then
    cat "$trixie_log" >&2
    echo "FAILED: the trixie stage (exit status $status); its log is above and in $trixie_log" >&2
    exit "$status"
  else
    tail -n 1 "$trixie_log"
  fi
fi
