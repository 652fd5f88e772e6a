#!/usr/bin/env bash
# Builds a Release tree in build-package and makes the Debian package
# build-package/splines_<version>_<arch>.deb with cpack, compiled with Debian's hardening flags.
# --test then runs the package tests (CTest label "package") on it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run_tests=0
case "${1:-}" in
  '') ;;
  --test) run_tests=1 ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac
"$root/scripts/install-deps.sh" package

build=$root/build-package
flags() { (cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
cmake -S "$root" --preset package \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
  >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/splines_*.deb
(cd "$build" && cpack >/dev/null)
deb=$(ls "$build"/splines_*.deb)
echo "Package: $deb"

if [ "$run_tests" = 1 ]; then
  (cd "$build" && ctest -L package --output-on-failure)
fi
