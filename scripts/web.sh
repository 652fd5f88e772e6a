#!/usr/bin/env bash
# The viewer in the browser: installs what it needs (Emscripten, Chromium, Node.js and npm, the test
# driver from npm), builds build-web/ (index.html, splines.js, splines.wasm) and runs the web tests in
# headless Chromium beside the native viewer. Exits 77 with "SKIP" when the tools cannot be installed.
# Usage: web.sh [--build-only | --bench [ROUNDS [SECONDS]]]   (--bench: bench/web_bench.sh instead of the tests)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

skip() { echo "SKIP: web build: $*" >&2; exit 77; }

web_packages=(emscripten chromium python3)
command -v node >/dev/null || web_packages+=(nodejs)
command -v npm >/dev/null || web_packages+=(npm)
missing=()
for package in "${web_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null; then sudo=(sudo); else
    skip "${missing[*]} missing and no way to become root"
  fi
  export DEBIAN_FRONTEND=noninteractive
  { "${sudo[@]}" apt-get update -qq && "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; } ||
    skip "could not install ${missing[*]}"
fi
# emcc's JavaScript tools need Debian's node modules (acorn), also under a Node.js of another origin.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

emcmake cmake -S "$root/web" --preset web >/dev/null
cmake --build "$root/build-web" -j2
[ "${1:-}" = --build-only ] && exit 0

# The test driver from npm, pinned by the lock file; it drives Debian's Chromium and downloads no browser.
(cd "$root/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
# The native viewer to compare with, and the X server tools its run needs.
"$root/scripts/install-deps.sh" build
native=$root/build/splines  # as scripts/test.sh builds it; otherwise a build of the viewer alone
if [ ! -x "$native" ]; then
  cmake -S "$root" --preset web-native >/dev/null
  cmake --build "$root/build-web/native" -j2 --target splines
  native=$root/build-web/native/splines
fi
output=$root/build-web/test-output
mkdir -p "$output"
if [ "${1:-}" = --bench ]; then
  shift
  exec bash "$root/bench/web_bench.sh" "$native" "$root/build-web" "$root/build-web/bench-output" "$@"
fi
status=0
bash "$root/tests/web/test_web.sh" "$native" "$root/build-web" "$output" 2>&1 | tee "$output/web.log" || status=$?
echo "web: $(grep -c '^ok:' "$output/web.log") passed, $(grep -c '^FAIL:' "$output/web.log") failed"
exit $status
