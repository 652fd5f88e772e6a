#!/usr/bin/env bash
# Editing after z and two builds: m selects spline 0 (red), h walks to site 0 and site 1 (yellow, with
# the sphere); u/j/y/i/o/l move the site by 1 (its length changes, the other spline's stays) and the
# whole spline by 10 (it moves on screen in the key's direction, its length stays); r/t zoom, v/b turn
# the scene; q, d and s toggle with their guards; Escape ends a burst of keys with status 0.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/editing" "$1"
e2e_start_xserver
e2e_start_viewer
e2e_frames 2

# Two splines of three sites, typed as one fast burst. The sites n draws lie within 150 of the origin
# and where they fall follows from the frames run before z; two splines of sites close together or
# below the grid show as a few dozen pixels, too few to see a selection or a trail on (174 white
# pixels in a failed run, 400 to 850 in 24 others). Such a pair is cleared and typed again, up to 12 times.
LINES_PER_FRAME=4
two_rows() { e2e_grab built && [ "$(e2e_column_rows built)" = 2 ]; }
no_rows() { e2e_grab built && [ "$(e2e_column_rows built)" = 0 ]; }
in_sight=no tries=0
while [ $in_sight = no ] && [ $tries -lt 12 ]; do
  tries=$((tries + 1))
  e2e_burst z n n n x n n n x
  e2e_wait_until 30 "z n n n x n n n x as a burst: two splines" two_rows || break
  e2e_frames 3
  e2e_grab built
  red_built=$(e2e_px built "$E2E_SCENE" "$E2E_LIT_RED")
  white_built=$(e2e_px built "$E2E_SCENE" "$E2E_WHITE_CURVE")
  if [ "$white_built" -ge 300 ]; then in_sight=yes; else
    echo "note: the splines of try $tries show $white_built white pixels; z and two new splines"
    e2e_key z
    e2e_wait_until 30 "z: no length in the columns" no_rows || break
  fi
done
e2e_check "two splines in sight, 300 white pixels or more (try $tries of 12)" test $in_sight = yes
GREEN_ROW0=$(e2e_column_cell green 0)
GREEN_ROW1=$(e2e_column_cell green 1)

# Waits a few frames and takes a screenshot.
settle_and_grab() { e2e_frames 3 && e2e_grab "$1"; }
field() { e2e_pixels "$1" "$2" "$3" | cut -d' ' -f"$4"; }  # 2: centroid x, 3: centroid y, 4: left, 5: top
# moved FROM TO AXIS MIN: from screenshot FROM to TO the red curve's centroid moved along AXIS (x or y)
# by at least MIN pixels (negative MIN: at least -MIN the other way); prints the distance.
moved() {
  local column=2
  [ "$3" = y ] && column=3
  python3 -c "import sys; d = $(field "$2" "$E2E_SCENE" "$E2E_LIT_RED" $column) - $(field "$1" "$E2E_SCENE" "$E2E_LIT_RED" $column); print('%+.1f' % d); sys.exit(0 if (d >= $4 if $4 > 0 else d <= $4) else 1)"
}
moved_quietly() { moved "$@" >/dev/null; }

# m: spline 0 selected as a whole, drawn red.
e2e_key m
red_spline() { settle_and_grab selected-spline && [ "$(e2e_px selected-spline "$E2E_SCENE" "$E2E_LIT_RED")" -ge $((red_built + 30)) ]; }
e2e_wait_until 20 "m: spline 0 turns red" red_spline
e2e_at_most "m: one white curve fewer" "$(e2e_px selected-spline "$E2E_SCENE" "$E2E_WHITE_CURVE")" $((white_built - 30))

# h: site 0 selected: spline 0 yellow, the yellow sphere on the site; h again: site 1.
e2e_key h
yellow() { settle_and_grab site-0 && [ "$(e2e_px site-0 "$E2E_SCENE" "$E2E_LIT_YELLOW")" -ge 40 ]; }
e2e_wait_until 20 "h: spline 0 turns yellow with the sphere on site 0" yellow
e2e_at_most "h: no red curve any more" "$(e2e_px site-0 "$E2E_SCENE" "$E2E_LIT_RED")" $((red_built + 10))
e2e_key h
settle_and_grab site-1
e2e_at_least "h: the sphere went to site 1" "$(e2e_differ site-0 site-1 "$E2E_SCENE")" 20

# Site 1 moved by 1 per key: spline 0's length changes, spline 1's does not; the opposite key undoes it.
for pair in "u j" "y i" "o l"; do
  set -- $pair
  e2e_key "$1" "$1" "$1" "$1" "$1"
  settle_and_grab "site-$1"
  e2e_at_least "$1 x5 on site 1: spline 0's green length changes" "$(e2e_differ site-1 "site-$1" "$GREEN_ROW0")" 1
  e2e_check "$1 x5 on site 1: spline 1's length stays" test "$(e2e_differ site-1 "site-$1" "$GREEN_ROW1")" = 0
  e2e_check "$1 x5 on site 1: the console repeats the same four lines" e2e_tail_periodic 4 40
  e2e_key "$2" "$2" "$2" "$2" "$2"
  settle_and_grab "site-$1$2"
  e2e_check "$2 x5 on site 1 undoes $1 x5" e2e_same_picture site-1 "site-$1$2"
done

# h h: site 2, then the whole spline again (red).
e2e_key h h
settle_and_grab whole
e2e_at_least "h h: the whole spline 0 selected again (red)" "$(e2e_px whole "$E2E_SCENE" "$E2E_LIT_RED")" $((red_built + 30))
e2e_check "h h: no yellow sphere" test "$(e2e_px whole "$E2E_SCENE" "$E2E_LIT_YELLOW")" -lt 10

# The whole spline moved by 10 per key: it moves on screen, its lengths stay; the opposite key undoes it.
# The scene is turned by -20 degrees about y: +x shows to the right, +y up, -z away and up.
for move in "u y -3 j y 3 5" "y x -3 i x 3 5" "o y -1 l y 1 10"; do
  set -- $move
  e2e_burst $(yes "$1" | head -n "$7")
  settle_and_grab "whole-$1"
  e2e_check "$1 x$7 on spline 0: the red curve moves along $2 ($(moved whole "whole-$1" "$2" "$3"))" \
    moved_quietly whole "whole-$1" "$2" "$3"
  e2e_check "$1 x$7 on spline 0: the lengths stay" test "$(e2e_differ whole "whole-$1" "$E2E_COLUMNS")" = 0
  e2e_burst $(yes "$4" | head -n "$7")
  settle_and_grab "whole-$1$4"
  e2e_check "$4 x$7 on spline 0: moves back along $5 ($(moved "whole-$1" "whole-$1$4" "$5" "$6"))" \
    moved_quietly "whole-$1" "whole-$1$4" "$5" "$6"
  e2e_check "$4 x$7 undoes $1 x$7" e2e_same_picture whole "whole-$1$4"
done

# r: the camera farther, up to its limit; t: nearer. The top of the vertical axis shows it.
AXIS_TOP=60x200+482+150
axis_top() { field "$1" "$AXIS_TOP" "$E2E_LIT_GREEN" 5; }
e2e_burst r r r r r r r r r r r r r r r r r
settle_and_grab zoom-far
e2e_check "r x17: the scene shrinks (axis top $(axis_top whole) -> $(axis_top zoom-far))" \
  test "$(axis_top zoom-far)" -ge $(($(axis_top whole) + 4))
e2e_burst r r r r r r r r
settle_and_grab zoom-far-limit
e2e_check "r x8 more: the camera stays at its limit" test "$(e2e_differ zoom-far zoom-far-limit "$E2E_SCENE")" = 0
e2e_key t t t t t t t t t t t t t t t t t t t t t t t t t t t
settle_and_grab zoom-near
e2e_check "t x27: the scene grows (axis top $(axis_top whole) -> $(axis_top zoom-near))" \
  test "$(axis_top zoom-near)" -le $(($(axis_top whole) - 3))
e2e_burst r r r r r r r r r r
settle_and_grab zoom-back
e2e_check "r x10: the camera is back where it started" e2e_same_picture whole zoom-back

# v: the scene turns left, its near +z arm of the axes to the right; b: the other way.
NEAR_ARM=130x60+400+395
arm_left() { field "$1" "$NEAR_ARM" "$E2E_LIT_GREEN" 4; }
e2e_burst v v v v v v v v v v
settle_and_grab turn-left
e2e_check "v x10: the near axis arm swings right ($(arm_left whole) -> $(arm_left turn-left))" \
  test "$(arm_left turn-left)" -ge $(($(arm_left whole) + 10))
e2e_key b b b b b b b b b b b b b b b b b b b b
settle_and_grab turn-right
e2e_check "b x20: it swings left ($(arm_left whole) -> $(arm_left turn-right))" \
  test "$(arm_left turn-right)" -le $(($(arm_left whole) - 10))
e2e_burst v v v v v v v v v v
settle_and_grab turn-back
e2e_check "v x10: the scene is back at its angle" e2e_same_picture whole turn-back

# q: the site table on (run points of three sites: four more lines per row), q again: off.
e2e_key q
table_on() { settle_and_grab table-on && [ "$(e2e_px table-on "$(e2e_table_cell 0 label)" "$E2E_WHITE_TEXT")" -ge 150 ]; }
e2e_wait_until 20 "q: the site table shows" table_on
LINES_PER_FRAME=16
e2e_frames 2
for row in 0 1 2; do
  e2e_at_least "q: table row $row" "$(e2e_px table-on "$(e2e_table_cell $row label)" "$E2E_WHITE_TEXT")" 150
done
e2e_check "q: three rows only" test "$(e2e_px table-on "$(e2e_table_cell 3 label)" "$E2E_WHITE_TEXT")" = 0
e2e_check "q: sixteen console lines per frame, the same every frame" e2e_tail_periodic 16 64
e2e_key q
table_off() { settle_and_grab table-off && [ "$(e2e_px table-off $E2E_TABLE "$E2E_WHITE_TEXT")" = 0 ]; }
e2e_wait_until 20 "q again: the site table is gone" table_off
LINES_PER_FRAME=4
e2e_frames 2
e2e_check "q again: four console lines per frame" e2e_tail_periodic 4 40

# Guards while no run is on: d cannot switch the trail on, s cannot switch clearing off.
e2e_key d
e2e_frames 5
e2e_grab d-refused
e2e_check "d without a run: no trail" test "$(e2e_px d-refused "$E2E_SCENE" "$E2E_TRAIL_BLUE")" = 0
e2e_key s
e2e_frames 25  # the exit hint has been drawn since; were clearing off, it would never vanish again
hint_hidden() { e2e_grab s-refused && ! e2e_hint_shown s-refused; }
e2e_wait_until 30 "s without a run: the screen is still cleared (the exit hint blinks off)" hint_hidden

# a: the run starts and clears the selection; m is refused while it runs (u then moves nothing).
e2e_key a m h h
e2e_key u u u u u
e2e_frames 3
e2e_grab running-1
e2e_frames 5
e2e_grab running-2
e2e_at_least "a: the run curve moves" "$(e2e_differ running-1 running-2 "$E2E_SCENE")" 20
e2e_check "a, m h h u x5: nothing selected, the lengths stay" \
  test "$(e2e_differ whole running-2 "$E2E_COLUMNS")" = 0
e2e_check "during the run: four console lines per frame" e2e_tail_periodic 4 40

# d during the run: the blue trail between the splines; d again: gone.
e2e_key d
trail_on() { settle_and_grab trail-on && [ "$(e2e_px trail-on "$E2E_SCENE" "$E2E_TRAIL_BLUE")" -ge 300 ]; }
e2e_wait_until 20 "d during the run: the trail shows" trail_on
e2e_key d
# The run curve itself may be blue in a frame; the trail is blue in every frame.
trail_off() { settle_and_grab trail-off && [ "$(e2e_px trail-off "$E2E_SCENE" "$E2E_TRAIL_BLUE")" -le 50 ]; }
e2e_wait_until 30 "d again: the trail is gone" trail_off

# s during the run: clearing off, so the moving numbers of the site table and the exit hint stay on
# screen; s again: clearing on.
e2e_key q
e2e_wait_until 20 "q: the site table shows again" table_on
LINES_PER_FRAME=16
e2e_frames 2
e2e_grab cleared-table
# Coloured pixels of the table's numbers: a number drawn over the numbers of earlier frames fills its cells.
smear() {
  local row total=0
  for row in 0 1 2; do
    total=$((total + $(e2e_px "$1" "$(e2e_table_cell $row x)" "$E2E_RED_TEXT")))
    total=$((total + $(e2e_px "$1" "$(e2e_table_cell $row y)" "$E2E_GREEN_TEXT")))
    total=$((total + $(e2e_px "$1" "$(e2e_table_cell $row z)" "$E2E_BLUE_TEXT")))
  done
  echo $total
}
e2e_key s
e2e_frames 100
e2e_grab trails
e2e_at_least "s during the run: the moving numbers pile up (cleared: $(smear cleared-table))" "$(smear trails)" \
  $(($(smear cleared-table) * 14 / 10))
e2e_check "s during the run: the exit hint stays" e2e_hint_shown trails
for k in 1 2 3 4 5; do
  e2e_frames 7
  e2e_grab "trails-$k"
  e2e_check "s during the run: the exit hint stays ($k)" e2e_hint_shown "trails-$k"
done
e2e_key s
hint_hidden_again() { e2e_grab clearing-again && ! e2e_hint_shown clearing-again; }
e2e_wait_until 30 "s again: clearing is on (the exit hint blinks off)" hint_hidden_again
e2e_frames 2
e2e_grab clearing-again
# One frame's numbers: no pile. Their lengths change as the run moves (from "-7.5" to "-107.419"), so
# the bound is the pile's, not the cleared frame's.
e2e_at_most "s again: the table shows one number per cell, not the pile (piled: $(smear trails))" \
  "$(smear clearing-again)" $(($(smear trails) * 6 / 10))

# Escape in the middle of a fast burst ends the viewer at once, with status 0.
e2e_burst v b r Escape t v b
e2e_wait_exit
e2e_check "exit status 0 on Escape within a burst (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check_stderr notice
e2e_check_scratch
e2e_finish
