#!/usr/bin/env bash
# The web build in headless Chromium against the native viewer on Xvfb: the start scene's probes, the
# first frames' console lines, keys z n x q a, the page after Escape with "1.txt" in its file system,
# the picture rule in windows of other shapes, and the page's screenshot beside the native one at
# spots that do not depend on the frame (the axes, a cone, the site points, the static text).
# Usage: test_web.sh NATIVE_SPLINES BUILD_WEB_DIR OUTPUT_DIR   (node_modules installed by scripts/web.sh)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/harness.sh"
e2e_init "$3/web" "$1"
build_web=$(cd "$2" && pwd)

# The native viewer: its first frames' console and a screenshot of its start scene.
FIRST_FRAMES=3
e2e_start_xserver
e2e_start_viewer
e2e_frames $FIRST_FRAMES
e2e_grab native-start
e2e_key Escape
e2e_wait_exit
native_console=$E2E_STDOUT

node "$here/driver.mjs" "$build_web" "$E2E_OUT" || { e2e_fail "the Chromium driver failed"; e2e_finish; }
web_console=$E2E_OUT/web-console.txt
fact() { sed -n "s/^$1=//p" "$E2E_OUT/web-facts.txt"; }
lines_at() { awk -v s="$1" '$1 == s { print $3 }' "$E2E_OUT/web-steps.txt"; }
# web_column_rows NAME: how many of the first 8 rows of the green length column the capture shows
# (e2e_column_rows in one pass over the image).
web_column_rows() {
  python3 "$here/spots.py" "$E2E_OUT/$1.png" "$E2E_GREEN_TEXT" $(for row in $(seq 0 7); do e2e_column_cell green "$row"; done) |
    awk '$1 >= 40 { rows++ } END { print rows + 0 }'
}
# web_periodic PERIOD FROM_STEP TO_STEP: the browser's console lines between two captures repeat with PERIOD.
web_periodic() {
  local slice=$E2E_WORK/slice.txt
  sed -n "$(($(lines_at "$2") + 1)),$(lines_at "$3")p" "$web_console" >"$slice"
  E2E_STDOUT=$slice e2e_tail_periodic "$1" "$(wc -l <"$slice")"
}

# The start scene as the native start test probes it.
start=web-start
e2e_at_least "start: blue trail surface of the run" "$(e2e_px $start "$E2E_SCENE" "$E2E_TRAIL_BLUE")" 5000
e2e_at_least "start: gray grid" "$(e2e_px $start "$E2E_GRID_CORNER" "$E2E_GRID")" 3000
e2e_at_least "start: green axes" "$(e2e_px $start "$E2E_AXES" "$E2E_LIT_GREEN")" 300
e2e_at_least "start: red help line" "$(e2e_px $start "$E2E_HELP" "$E2E_RED_TEXT")" 300
e2e_check "start: exit hint shown" e2e_hint_shown $start
# The site table's cells, one colour at a time: each of the 12 rows holds its part.
for cell in label:WHITE:150 number:WHITE:10 x:RED:15 y:GREEN:15 z:BLUE:15; do
  IFS=: read -r part colour least <<<"$cell"
  rule=E2E_${colour}_TEXT
  counts=$(python3 "$here/spots.py" "$E2E_OUT/$start.png" "${!rule}" \
    $(for row in $(seq 0 11); do e2e_table_cell "$row" "$part"; done) | cut -d' ' -f1 | tr '\n' ' ')
  e2e_check "start: site table rows 0 to 11, $part ($counts>= $least)" \
    awk -v least="$least" '{ for (i = 1; i <= NF; i++) if ($i < least) exit 1; exit NF != 12 }' <<<"$counts"
done
e2e_check "start: site table ends after 12 rows" test "$(e2e_px $start "$(e2e_table_cell 12 label)" "$E2E_WHITE_TEXT")" = 0
e2e_check "start: 7 rows in the length columns" test "$(web_column_rows $start)" = 7

# The console: the first frames line for line as the native viewer's, then whole frames of the start scene.
first=$((FIRST_FRAMES * 62))
e2e_check "console: the first $FIRST_FRAMES frames' $first lines equal the native viewer's" \
  cmp -s <(head -n $first "$native_console") <(head -n $first "$web_console")
head -n "$(lines_at web-cleared)" "$web_console" >"$E2E_WORK/start-console.txt"
python3 "$E2E_HERE/start_scene.py" console "$E2E_WORK/start-console.txt" || e2e_fail "console of the start scene"
e2e_check "console: every line printed reached the browser console ($(fact lines_printed))" \
  test "$(wc -l <"$web_console")" = "$(fact lines_printed)"

# Keys, as on the native viewer.
e2e_check "z: the blue trail surface is gone" test "$(e2e_px web-cleared "$E2E_SCENE" "$E2E_TRAIL_BLUE")" = 0
e2e_check "z: no site table, no length columns" test "$(e2e_px web-cleared "$E2E_TABLE" "$E2E_WHITE_TEXT")" = 0 -a \
  "$(e2e_px web-cleared "$E2E_COLUMNS" "$E2E_GREEN_TEXT")" = 0
e2e_at_least "z: the grid stays" "$(e2e_px web-cleared "$E2E_GRID_CORNER" "$E2E_GRID")" 3000
e2e_check "z: the run stopped (the scene stands still)" test "$(e2e_differ web-cleared web-cleared-later "$E2E_SCENE")" = 0
e2e_check "z: no number drawn, the console is silent" test "$(lines_at web-cleared)" = "$(lines_at web-cleared-later)"
green=$(e2e_px web-cleared "$E2E_SCENE" "$E2E_LIT_GREEN")
for k in 1 2 3; do
  now=$(e2e_px "web-site-$k" "$E2E_SCENE" "$E2E_LIT_GREEN")
  e2e_at_least "n #$k: one more green point" "$now" $((green + 3))
  green=$now
done
e2e_at_most "n n n: three 7-pixel points at most" $((green - $(e2e_px web-cleared "$E2E_SCENE" "$E2E_LIT_GREEN"))) $((3 * 49))
e2e_at_least "x: a white closed curve" "$(e2e_px web-spline-1 "$E2E_SCENE" "$E2E_WHITE_CURVE")" 40
e2e_at_least "x: the sites are red points of spline 0" "$(e2e_px web-spline-1 "$E2E_SCENE" "$E2E_LIT_RED")" 20
e2e_check "x: one row in the length columns" test "$(web_column_rows web-spline-1)" = 1
e2e_check "x: two console lines per frame, the same two" web_periodic 2 web-site-3 web-spline-1
for row in 0 1 2; do
  e2e_at_least "q: site table row $row" "$(e2e_px web-table "$(e2e_table_cell $row label)" "$E2E_WHITE_TEXT")" 150
done
e2e_check "q: three rows only" test "$(e2e_px web-table "$(e2e_table_cell 3 label)" "$E2E_WHITE_TEXT")" = 0
e2e_check "q: fourteen console lines per frame, the same every frame" web_periodic 14 web-table web-refused
e2e_check "a with one spline: refused, the scene stands still" test "$(e2e_differ web-table web-refused "$E2E_SCENE")" = 0
e2e_check "n n n x: two rows in the length columns" test "$(web_column_rows web-spline-2)" = 2
e2e_check "n n n x: nothing yellow before a selection" test "$(e2e_px web-spline-2 "$E2E_SCENE" "$E2E_LIT_YELLOW")" = 0
e2e_at_least "m h: the selected spline and the sphere on its site, lit yellow" \
  "$(e2e_px web-selected "$E2E_SCENE" "$E2E_LIT_YELLOW")" 60
e2e_at_least "a: the run curve moves" "$(e2e_differ web-run-1 web-run-2 "$E2E_SCENE")" 20
e2e_check "a: the columns stand still" test "$(e2e_differ web-spline-2 web-run-2 "$E2E_COLUMNS")" = 0

# Escape: the page says the viewer stopped, no frame follows, "1.txt" holds the last number.
e2e_check "Escape: the page says it stopped ($(fact stopped_text))" grep -q 'stopped' <<<"$(fact stopped_text)"
e2e_check "Escape: no frame after the exit" test "$(fact frames_after_exit)" = "$(fact frames_later)"
scratch=$(fact scratch)
e2e_check "1.txt holds the last number ($scratch), as long as the last console line says" \
  test "${#scratch}" = "$(tail -n 1 "$web_console")"
e2e_check "1.txt holds a number" grep -Eq '^-?[0-9.]+(e[-+][0-9]+)?$' <<<"$scratch"

e2e_check "Start again after Escape: a fresh viewer draws frames ($(fact state_after_restart))" \
  test "$(fact state_after_restart)" = running

e2e_check "Tab moves the focus from the picture to the page ($(fact focus_after_tab))" test "$(fact focus_after_tab)" = more
e2e_check "a hidden tab draws no frame in 1 s, and draws on when shown" test "$(fact frames_while_hidden)" = 0
# The page: the keys table is the README's, row for row.
e2e_check "page: the keys table equals the README's" cmp -s "$(fact keys_file)" \
  <(sed -n '/^## Keys$/,/^## /p' "$here/../../README.md" | sed -n 's/^| *\([^|]*[^| ]\) *| *\([^|]*[^| ]\) *|$/\1\t\2/p' | tail -n +3)
e2e_check "phone: the picture is as wide as the screen ($(fact phone_canvas_width) px of 390)" test "$(fact phone_canvas_width)" = 390
e2e_check "phone: the page says a keyboard is needed" grep -q keyboard <<<"$(fact phone_notice)"
e2e_check "phone: on-screen keys for the table's letters ($(fact phone_keys))" test "$(fact phone_keys)" = \
  "Esc n x z a m h u j y i o l v b r t s d q"
e2e_check "phone: the on-screen z clears the scene, no number drawn after it" test "$(fact phone_lines_after_z)" = 0

# The start scene for 5 s, large scenes for 15 s: no page error, the viewer running, its heap at the
# size it had at the first frame (the picture's buffers are made once; growth is a safety net), one frame drawn
# per frame the browser shows (within a tenth either way: at least 0.9 of the frames drawn are shown,
# and no frame is shown twice while the viewer waits for a timer).
for scene in start trail_10x50 trail_100x100; do
  drawn=$(fact ${scene}_drawn) shown=$(fact ${scene}_shown)
  e2e_check "$scene: no page error, still running ($(fact ${scene}_fps) frames/s)" \
    test "$(fact ${scene}_errors)" = 0 -a "$(fact ${scene}_state)" = running -a "$drawn" -gt 0
  e2e_check "$scene: the heap never grew past its first $(fact ${scene}_heap0_mib) MiB ($(fact ${scene}_heap_mib) MiB)" \
    test "$(fact ${scene}_heap_mib)" = "$(fact ${scene}_heap0_mib)"
  e2e_check "$scene: frames shown / drawn within 0.9 to 1.1 ($shown / $drawn)" \
    test $((10 * shown)) -ge $((9 * drawn)) -a $((10 * shown)) -le $((11 * drawn))
done

# The picture rule: the largest 4:3 rectangle of the window, centred on black.
e2e_check "a 1280 x 720 window shows the picture at 960 x 720, centred" test "$(fact canvas_in_1280x720)" = "160 0 960 720"
e2e_check "an 800 x 900 window shows the picture at 800 x 600, centred" test "$(fact canvas_in_800x900)" = "0 150 800 600"

# The page's screenshot beside the native one: at spots that every frame draws alike, the same pixel
# counts (so the same line widths) and the same mean colours.
# same_spot NAME GEOMETRY RULE COUNT_TOLERANCE_%: counts within the tolerance, mean colours within 16 of 255.
same_spot() {
  local native web
  native=($(python3 "$here/spots.py" "$E2E_OUT/native-start.png" "$3" "$2"))
  web=($(python3 "$here/spots.py" "$E2E_OUT/web-page.png" "$3" "$2"))
  local ok=1 c
  [ "${native[0]}" -gt 0 ] && [ $((100 * (web[0] - native[0]))) -le $((native[0] * $4)) ] &&
    [ $((100 * (native[0] - web[0]))) -le $((native[0] * $4)) ] || ok=0
  for c in 1 2 3; do
    [ $((web[c] - native[c])) -le 16 ] && [ $((native[c] - web[c])) -le 16 ] || ok=0
  done
  e2e_check "page vs native, $1: ${web[*]} vs ${native[*]} (pixels, mean r g b)" test $ok = 1
}
same_spot "the vertical axis, 5 pixels wide" 16x50+504+255 "$E2E_LIT_GREEN" 5
same_spot "the cone atop the vertical axis" 14x22+505+228 'r + g + b > 30' 25
same_spot "the site points" "$E2E_SCENE" "$E2E_LIT_RED" 30
same_spot "the green length column" "$E2E_COLUMNS" "$E2E_GREEN_TEXT" 3
same_spot "the red length column" "$E2E_COLUMNS" "$E2E_RED_TEXT" 3
same_spot "the site table's labels" 120x240+8+20 "$E2E_WHITE_TEXT" 3
e2e_finish
