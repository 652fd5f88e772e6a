#!/usr/bin/env bash
# Makes the applications menu's icons, packaging/icons/splines-SIZE.png at the icon theme's sizes, from
# a real frame of the viewer: its start scene on a private Xvfb, the square about the axes and the run
# curve, scaled down. Run it again after a change to what the screen shows, and commit the icons.
# Usage: desktop-pictures.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sizes=(16 22 24 32 48 64 128 256 512)  # hicolor's fixed sizes, in pixels
square=560x560+232+150                 # of the 1024 x 768 picture: the splines, the run and the axes

source "$root/scripts/private-viewer.sh"
private_viewer icons
e2e_wait_lines $((62 * 40)) || exit 1  # the run under way, its trail drawn
e2e_grab frame
mkdir -p "$root/packaging/icons"
for size in "${sizes[@]}"; do
  convert "$E2E_OUT/frame.png" -crop "$square" +repage -resize "${size}x$size" -strip \
    "png:$root/packaging/icons/splines-$size.png" || exit 1
done
echo "icons in $root/packaging/icons: ${sizes[*]}"
