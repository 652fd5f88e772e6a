#!/usr/bin/env bash
# Makes the applications menu's icons, packaging/icons/splines-SIZE.png at the icon theme's sizes, from
# a real frame of the viewer: its start scene on a private Xvfb, the square about the axes and the run
# curve, scaled down. Run it again after a change to what the screen shows, and commit the icons.
# Usage: desktop-pictures.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sizes=(16 22 24 32 48 64 128 256 512)  # hicolor's fixed sizes, in pixels
square=560x560+232+150                 # of the 1024 x 768 picture: the splines, the run and the axes

"$root/scripts/install-deps.sh" animation
cmake -S "$root" --preset viewer >/dev/null
cmake --build "$root/build-viewer" --target splines -j2 >/dev/null

scratch=$(mktemp -d "${TMPDIR:-/tmp}/splines-icons-XXXXXX")
set +e  # the harness checks its own steps
source "$root/tests/e2e/harness.sh"
e2e_init "$scratch/e2e" "$root/build-viewer/splines"
trap 'e2e_cleanup; rm -rf "$scratch"' EXIT
e2e_start_xserver
e2e_start_viewer
e2e_wait_lines $((62 * 40)) || exit 1  # the run under way, its trail drawn
e2e_grab frame
mkdir -p "$root/packaging/icons"
for size in "${sizes[@]}"; do
  convert "$E2E_OUT/frame.png" -crop "$square" +repage -resize "${size}x$size" -strip \
    "png:$root/packaging/icons/splines-$size.png" || exit 1
done
echo "icons in $root/packaging/icons: ${sizes[*]}"
