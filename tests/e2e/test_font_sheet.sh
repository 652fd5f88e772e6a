#!/usr/bin/env bash
# The stroke font drawn by the real GL on a fresh Xvfb: every printable character in a few colours
# and sizes, saved as font_sheet.png, with lit pixels of each line's colour where the line stands.
# Usage: test_font_sheet.sh <path-to-splines> <output-dir>; the sheet program is $FONT_SHEET,
# or tests/font_sheet beside the viewer's build directory.
set -euo pipefail

viewer=$1
out_dir=$2
sheet=${FONT_SHEET:-$(dirname "$viewer")/tests/font_sheet}
mkdir -p "$out_dir"
work=$(mktemp -d)

xvfb_pid=""
cleanup() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and reports its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# The GL driver keeps its allocations to the end of the process; in a sanitizer build they are not ours.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" timeout 60 "$sheet" "$work/sheet.ppm"
convert "$work/sheet.ppm" "$out_dir/font_sheet.png"
image=$out_dir/font_sheet.png

# Pixels within 10% of a colour in a region (width x height + left + top, in pixels).
count() {
  convert "$image" -crop "$2" +repage -fuzz 10% -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%[fx:round(mean*w*h)]' info:
}

failures=0
expect_at_least() {  # colour region minimum what
  local n
  n=$(count "$1" "$2")
  if (( n < $3 )); then
    echo "FAIL: $4: $n pixels of $1 in $2, expected at least $3"
    failures=$((failures + 1))
  else
    echo "ok: $4: $n pixels of $1"
  fi
}
expect_none() {  # colour region what
  local n
  n=$(count "$1" "$2")
  if (( n != 0 )); then
    echo "FAIL: $3: $n pixels of $1 in $2, expected none"
    failures=$((failures + 1))
  else
    echo "ok: $3: no $1"
  fi
}

# Overlay units to pixels: column (x + 1024) / 2, row (768 - y) / 2.
expect_at_least "rgb(255,0,0)" 950x30+0+80 1000 "red line of ! .. O"
expect_at_least "rgb(0,255,0)" 950x30+0+160 1000 "green line of P .. ~"
expect_at_least "rgb(0,255,255)" 870x30+0+260 800 "lightblue line, cyan on screen"
expect_at_least "rgb(255,255,0)" 900x190+0+365 5000 "yellow AB\$g&0 at size 30"
expect_at_least "rgb(255,255,255)" 950x20+0+620 300 "white line of all 94 at size 2"
expect_at_least "rgb(255,130,36)" 160x45+0+685 100 "orange"
expect_at_least "rgb(163,0,255)" 160x45+355+685 100 "violet"
expect_at_least "rgb(255,0,163)" 120x45+700+685 100 "pink"
# Each size-30 glyph keeps to its cell of 150 pixels (anchors at columns 62, 212, ..).
for cell in 0 1 2 3 4 5; do
  expect_at_least "rgb(255,255,0)" "120x190+$((17 + 150 * cell))+365" 300 "yellow glyph in cell $cell"
done
# The blank bands above and between the lines stay black.
for band in 1024x70+0+0 1024x40+0+112 1024x50+0+300 1024x50+0+560; do
  for colour in "rgb(255,0,0)" "rgb(0,255,0)" "rgb(0,255,255)" "rgb(255,255,0)" "rgb(255,255,255)"; do
    expect_none "$colour" "$band" "band $band"
  done
done

(( failures == 0 )) || exit 1
echo "font sheet: $image"
