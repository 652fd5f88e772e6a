#!/usr/bin/env bash
# One key's road: z empties the scene and stops the run; three n put three green points into the site
# buffer; x builds a white closed spline from them with one row in each length column; a is refused
# with one spline; three n and x build a second spline; a starts the run between the two.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/key_road" "$1"
e2e_start_xserver
e2e_start_viewer
e2e_frames 2
e2e_grab running

# z: the site table, the trail and the columns vanish, and nothing moves any more.
e2e_key z
trail_gone() { e2e_grab cleared && [ "$(e2e_px cleared "$E2E_SCENE" "$E2E_TRAIL_BLUE")" = 0 ]; }
e2e_wait_until 30 "z: the blue trail surface is gone" trail_gone
silent_from=$(e2e_lines)
for colour in WHITE RED GREEN BLUE; do
  rule=E2E_${colour}_TEXT
  e2e_check "z: no ${colour,,} text in the site table's place" test "$(e2e_px cleared $E2E_TABLE "${!rule}")" = 0
done
e2e_check "z: no length columns" test "$(e2e_px cleared $E2E_COLUMNS "$E2E_GREEN_TEXT")" = 0 -a \
  "$(e2e_px cleared $E2E_COLUMNS "$E2E_RED_TEXT")" = 0
e2e_check "z: no white curve" test "$(e2e_px cleared "$E2E_SCENE" "$E2E_WHITE_CURVE")" = 0
e2e_at_least "z: the gray grid stays" "$(e2e_px cleared "$E2E_GRID_CORNER" "$E2E_GRID")" 3000
e2e_at_least "z: the green axes stay" "$(e2e_px cleared "$E2E_AXES" "$E2E_LIT_GREEN")" 300
e2e_at_least "z: the help line stays" "$(e2e_px cleared "$E2E_HELP" "$E2E_RED_TEXT")" 300
e2e_wait_hint_flips 3
e2e_grab cleared-later
e2e_check "z: the run stopped (the scene stands still)" test "$(e2e_differ cleared cleared-later "$E2E_SCENE")" = 0
e2e_check "z: no number drawn, the console is silent" test "$(e2e_lines)" = "$silent_from"

# n n n: three green points, one per key. A site falls within 150 of the origin, half of them below
# the ground grid, which hides all or most of a point (and of a curve) behind it. Where the sites fall
# follows from how many frames ran before z took effect, which differs from run to run; so where a
# point does not show within 5 s, or the three show less than one and a half whole points (49 pixels each) in all,
# z empties the site buffer and three new sites are drawn, up to 12 times.
green_before=$(e2e_px cleared "$E2E_SCENE" "$E2E_LIT_GREEN")
# one_more_green K: within 5 s a screenshot site-K with 3 green pixels more than $previous.
one_more_green() {
  local deadline=$((SECONDS + 5))
  until e2e_grab "site-$1" && [ "$(e2e_px "site-$1" "$E2E_SCENE" "$E2E_LIT_GREEN")" -ge $((previous + 3)) ]; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
three_points_shown() {
  local k
  previous=$green_before
  for k in 1 2 3; do
    e2e_key n
    one_more_green $k || return 1
    previous=$(e2e_px "site-$k" "$E2E_SCENE" "$E2E_LIT_GREEN")
  done
  [ $((previous - green_before)) -ge 70 ]
}
shown=no tries=0
while [ $shown = no ] && [ $tries -lt 12 ]; do
  tries=$((tries + 1))
  if three_points_shown; then shown=yes; else
    echo "note: the sites of try $tries are out of sight below the grid; z and three new sites"
    e2e_key z
  fi
done
e2e_check "n n n: one more green point per key (try $tries of 12)" test $shown = yes
e2e_at_most "n n n: three 7-pixel points at most" $((previous - green_before)) $((3 * 49))
e2e_check "n n n: still no number drawn" test "$(e2e_lines)" = "$silent_from"

# x: a white closed spline through the three sites, now red site points, one row in each column.
e2e_key x
e2e_wait_lines $((silent_from + 6))
LINES_PER_FRAME=2
e2e_frames 2
e2e_grab spline-1
e2e_at_least "x: a white closed curve" "$(e2e_px spline-1 "$E2E_SCENE" "$E2E_WHITE_CURVE")" 40
e2e_at_most "x: the green points left the site buffer" "$(e2e_px spline-1 "$E2E_SCENE" "$E2E_LIT_GREEN")" $((green_before + 5))
e2e_at_least "x: the sites are red points of spline 0" "$(e2e_px spline-1 "$E2E_SCENE" "$E2E_LIT_RED")" 20
e2e_at_least "x: green column row 0" "$(e2e_px spline-1 "$(e2e_column_cell green 0)" "$E2E_GREEN_TEXT")" 40
e2e_at_least "x: red column row 0" "$(e2e_px spline-1 "$(e2e_column_cell red 0)" "$E2E_RED_TEXT")" 10
e2e_check "x: no row 1 in the columns" test "$(e2e_px spline-1 "$(e2e_column_cell green 1)" "$E2E_GREEN_TEXT")" = 0 -a \
  "$(e2e_px spline-1 "$(e2e_column_cell red 1)" "$E2E_RED_TEXT")" = 0
e2e_check "x: the table stays off" test "$(e2e_px spline-1 $E2E_TABLE "$E2E_WHITE_TEXT")" = 0
e2e_check "x: two console lines per frame, the same two every frame" \
  e2e_tail_periodic 2 $(($(e2e_lines) - silent_from))

# a with one spline: refused, nothing moves.
e2e_key a
e2e_frames 5
e2e_grab spline-1-a
e2e_check "a with one spline: refused, the scene stands still" test "$(e2e_differ spline-1 spline-1-a "$E2E_SCENE")" = 0

# n n n x: a second spline, a second row in each column.
one_spline_from=$(e2e_lines)
e2e_key n n n x
two_rows() { e2e_grab spline-2 && [ "$(e2e_px spline-2 "$(e2e_column_cell green 1)" "$E2E_GREEN_TEXT")" -ge 40 ]; }
e2e_wait_until 30 "n n n x: a second row in the green column" two_rows
LINES_PER_FRAME=4
e2e_frames 3
e2e_grab spline-2
e2e_at_least "n n n x: a second white curve" "$(e2e_px spline-2 "$E2E_SCENE" "$E2E_WHITE_CURVE")" \
  $(($(e2e_px spline-1 "$E2E_SCENE" "$E2E_WHITE_CURVE") + 20))
e2e_at_least "n n n x: red column row 1" "$(e2e_px spline-2 "$(e2e_column_cell red 1)" "$E2E_RED_TEXT")" 10
e2e_check "n n n x: row 0 of the columns unchanged" \
  test "$(e2e_differ spline-1 spline-2 "$(e2e_column_cell green 0)")" = 0 -a "$(e2e_differ spline-1 spline-2 "$(e2e_column_cell red 0)")" = 0
e2e_check "n n n x: no row 2 in the columns" test "$(e2e_px spline-2 "$(e2e_column_cell green 2)" "$E2E_GREEN_TEXT")" = 0
e2e_check "n n n x: four console lines per frame, the same four every frame" e2e_tail_periodic 4 40
e2e_frames 5
e2e_grab spline-2-later
e2e_check "two splines, no run: the scene stands still" test "$(e2e_differ spline-2 spline-2-later "$E2E_SCENE")" = 0

# a: the run starts between the two splines; table and trail stay off.
e2e_key a
e2e_frames 3
e2e_grab run-1
e2e_frames 10
e2e_grab run-2
e2e_at_least "a: the run curve moves" "$(e2e_differ run-1 run-2 "$E2E_SCENE")" 20
e2e_check "a: the table stays off" test "$(e2e_px run-2 $E2E_TABLE "$E2E_WHITE_TEXT")" = 0
e2e_check "a: the columns stand still" test "$(e2e_differ spline-2 run-2 $E2E_COLUMNS)" = 0
e2e_check "a: still four console lines per frame, the same four" e2e_tail_periodic 4 40

e2e_key Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check_stderr notice
e2e_check "the console ends with whole frames of four lines" e2e_tail_periodic 4 40
e2e_check_scratch
e2e_finish
