#!/usr/bin/env bash
# The viewer as the package holds it, unpacked into a temporary root, runs the end-to-end smoke.
# Usage: test_unpacked_smoke.sh BUILD_DIR VERSION OUTPUT_DIR
set -uo pipefail
build=$1 version=$2 out=$3
debs=("$build"/splines_"$version"_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single splines_${version}_*.deb in $build"; exit 1; }
root=$(mktemp -d "${TMPDIR:-/tmp}/splines-unpacked-XXXXXX")
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "${debs[0]}" "$root" || exit 1
bash "$(dirname "$0")/../e2e/test_smoke.sh" "$root/usr/bin/splines" "$out"
