#!/usr/bin/env bash
# Refusals: with Caps Lock on, the command letters arrive in upper case and none of them acts, during
# the run at start and while editing; neither do digits, punctuation, space and the other keys, nor
# letters typed with Shift. Escape still ends the viewer with status 0, Caps Lock on, mid-burst.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/refusals" "$1"
e2e_start_xserver

LETTERS=(n u j y i o l z x a s m h v b r t q d)
OTHERS=(0 1 2 3 4 5 6 7 8 9 minus equal comma period slash semicolon apostrophe bracketleft bracketright
        backslash grave space Return Tab BackSpace exclam at numbersign dollar percent asciicircum ampersand
        asterisk parenleft parenright underscore plus colon quotedbl less greater question braceleft
        braceright bar asciitilde)
SHIFTED=("${LETTERS[@]/#/shift+}")

# During the run at start.
e2e_start_viewer
e2e_frames 2
e2e_grab start
e2e_key Caps_Lock
e2e_key "${LETTERS[@]}"
e2e_burst "${OTHERS[@]}"
e2e_frames 10
e2e_grab start-after-keys
e2e_at_least "Caps Lock during the run: the trail stays" "$(e2e_px start-after-keys "$E2E_SCENE" "$E2E_TRAIL_BLUE")" 5000
e2e_at_least "Caps Lock during the run: the site table stays, 12 rows" \
  "$(e2e_px start-after-keys "$(e2e_table_cell 11 label)" "$E2E_WHITE_TEXT")" 150
e2e_at_least "Caps Lock during the run: the columns stay, 7 rows" \
  "$(e2e_px start-after-keys "$(e2e_column_cell green 6)" "$E2E_GREEN_TEXT")" 60
e2e_check "Caps Lock during the run: the view neither turned nor zoomed" \
  test "$(e2e_differ start start-after-keys "$E2E_GRID_CORNER")" = 0
e2e_at_least "Caps Lock during the run: the run goes on" "$(e2e_differ start start-after-keys 300x240+160+20)" 100
hint_hidden() { e2e_grab start-hint && ! e2e_hint_shown start-hint; }
e2e_wait_until 60 "Caps Lock during the run: the screen is still cleared (the exit hint blinks off)" hint_hidden
e2e_burst q v Escape z x
e2e_wait_exit
e2e_check "Escape with Caps Lock on, mid-burst: exit status 0 (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check_stderr notice
python3 "$E2E_HERE/start_scene.py" console "$E2E_STDOUT" || e2e_fail "console of the unchanged start scene"
expected=$(python3 "$E2E_HERE/start_scene.py" last-number)
e2e_check "1.txt holds the start scene's last red length, $expected" test "$(cat "$E2E_DIR/1.txt")" = "$expected"

# While editing: two splines, site 1 of spline 0 selected, no run.
e2e_start_viewer
e2e_frames 2
e2e_key Caps_Lock  # off again: it belongs to the X server and outlives the first viewer
e2e_burst z n n n x n n n x m h h
LINES_PER_FRAME=4
two_rows() { e2e_grab editing && [ "$(e2e_column_rows editing)" = 2 ]; }
e2e_wait_until 30 "z n n n x n n n x m h h: two splines, a site selected" two_rows
e2e_frames 3
e2e_grab editing
e2e_at_least "the selected site's sphere and spline are yellow" "$(e2e_px editing "$E2E_SCENE" "$E2E_LIT_YELLOW")" 40
columns=$(tail -n 4 "$E2E_STDOUT" | sort | tr '\n' ' ')
unchanged() {  # NAME WHAT: after the keys, the same picture and the same four console lines per frame
  e2e_frames 10
  e2e_grab "$1"
  e2e_check "$2: the picture is unchanged" e2e_same_picture editing "$1"
  e2e_check "$2: the console repeats the same four lines" \
    test "$(e2e_tail_periodic 4 40 && tail -n 4 "$E2E_STDOUT" | sort | tr '\n' ' ')" = "$columns"
}
e2e_key Caps_Lock
e2e_key "${LETTERS[@]}"
unchanged editing-caps "Caps Lock while editing, every command letter"
e2e_key "${OTHERS[@]}"
unchanged editing-others "digits, punctuation, space, Return, Tab, BackSpace"
e2e_key Caps_Lock
e2e_burst "${SHIFTED[@]}"
unchanged editing-shift "Shift with every command letter, as a burst"

# The same window still takes commands: q turns the site table on.
e2e_key q
table_on() { e2e_grab editing-q && [ "$(e2e_px editing-q "$(e2e_table_cell 0 label)" "$E2E_WHITE_TEXT")" -ge 150 ]; }
e2e_wait_until 20 "lower-case q still acts: the site table shows" table_on
e2e_key Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check_stderr notice
e2e_check_scratch
e2e_finish
