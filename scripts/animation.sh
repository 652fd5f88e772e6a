#!/usr/bin/env bash
# Makes docs/run.gif, the README's picture: the real viewer at its start scene on a private Xvfb, a few
# seconds of the run, screenshots scaled down and put together as a looping GIF. Run it again after a
# change to what the screen shows. Usage: animation.sh [OUTPUT.gif]
# SPLINES_GIF_FRAMES (default 80) screenshots are taken as fast as the server gives them; each is shown
# for as long as the viewer's frames between it and the next would last at SPLINES_GIF_FPS (default 60)
# frames a second, so the run moves at a screen's pace however slowly the screenshots came.
# SPLINES_GIF_WIDTH (default 512) is the width in pixels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/run.gif}")
shots=${SPLINES_GIF_FRAMES:-80}
fps=${SPLINES_GIF_FPS:-60}
width=${SPLINES_GIF_WIDTH:-512}
lines_per_frame=62  # console lines of one frame of the start scene: 12 table rows of 4, 7 splines of 2
colours=128         # one palette for all frames

"$root/scripts/install-deps.sh" animation
cmake -S "$root" -B "$root/build-viewer" -DSPLINES_TESTS=OFF -DSPLINES_BENCH=OFF >/dev/null
cmake --build "$root/build-viewer" --target splines -j"$(nproc)" >/dev/null

scratch=$(mktemp -d "${TMPDIR:-/tmp}/splines-gif-XXXXXX")
set +e  # the harness checks its own steps
source "$root/tests/e2e/harness.sh"
e2e_init "$scratch/e2e" "$root/build-viewer/splines"
trap 'e2e_cleanup; rm -rf "$scratch"' EXIT
e2e_start_xserver
e2e_start_viewer
e2e_wait_lines $((lines_per_frame * 20)) || exit 1  # past the first frames, the screen settled

# Raw screenshots only while the viewer runs (converting them would slow it down), each with the
# console's line count at that moment: the viewer's own frame clock.
for i in $(seq 1 "$shots"); do
  e2e_lines >"$scratch/$i.lines"
  xwd -root -silent -display "$DISPLAY" >"$scratch/$i.xwd" || { echo "animation: xwd failed" >&2; exit 1; }
done
e2e_lines >"$scratch/$((shots + 1)).lines"
e2e_key Escape
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || { echo "animation: the viewer ended with status $E2E_STATUS" >&2; exit 1; }
set -e

# Delays in hundredths of a second, rounded so that their running sum follows the frame clock.
frames=()
shown=0
first=$(cat "$scratch/1.lines")
for i in $(seq 1 "$shots"); do
  next=$(cat "$scratch/$((i + 1)).lines")
  until_next=$(( (next - first) * 100 / (lines_per_frame * fps) - shown ))
  [ "$until_next" -ge 2 ] || until_next=2  # browsers show shorter delays as 1/10 s
  shown=$((shown + until_next))
  convert "xwd:$scratch/$i.xwd" -resize "${width}x" "$scratch/$i.png"
  frames+=(-delay "$until_next" "$scratch/$i.png")
done
mkdir -p "$(dirname "$output")"
convert "${frames[@]}" +dither -colors "$colours" -loop 0 "$scratch/raw.gif"
gifsicle -O3 --colors "$colours" "$scratch/raw.gif" -o "$output"
echo "$output: $shots frames, $((shown / 100)).$(printf '%02d' $((shown % 100))) s," \
  "$(( ($(cat "$scratch/$((shots + 1)).lines") - first) / lines_per_frame )) viewer frames," \
  "$(stat -c %s "$output") bytes"
