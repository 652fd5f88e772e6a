# The start of the viewer as a person sees it, shared by the tests on Xvfb and on Xorg's game mode, on
# screens of any size: the window covers the screen, the run is on with its blue trail surface, the site
# table and both length columns stand at their places, the exit hint blinks, the help line shows, and
# over 200 frames the picture moves; all judged where a person looks (the harness's e2e_grab). The
# console and "1.txt" are checked against the start scene worked out by start_scene.py; after Escape
# the desktop's own mode is back.
# Usage: start_scenario notice|quiet (what stderr must hold: the fallback notice, or nothing).

start_scenario() {
  e2e_start_viewer
  e2e_wait_until 20 "the window covers the $E2E_SCREEN screen" e2e_window_fills_screen
  { [ -n "$E2E_WM_PID" ] || [ "$E2E_KIND" = kwin ]; } && e2e_check "the window manager gave the viewer the focus" \
    test "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WINDOW"
  [ -z "$E2E_WM_PID" ] && [ -n "${E2E_MONITOR:-}" ] && e2e_check "the viewer took the keyboard focus" \
    test "$(xdotool getwindowfocus 2>/dev/null)" = "$E2E_WINDOW"
  [ "$E2E_KIND" = xorg ] && e2e_check "the monitor shows the 1024x768 mode ($(e2e_shown))" test "$(e2e_shown)" = 1024x768+0+0
  e2e_frames 2

  # The exit hint shows in 10 frames out of 20: catch it once shown and once hidden.
  local shot=0 shown= hidden= deadline=$((SECONDS + 60))
  while [ -z "$shown" ] || [ -z "$hidden" ]; do
    [ $SECONDS -ge $deadline ] && { e2e_fail "the exit hint did not blink"; break; }
    shot=$((shot + 1))
    e2e_grab "start-$shot"
    if e2e_hint_shown "start-$shot"; then shown=${shown:-start-$shot}; else hidden=${hidden:-start-$shot}; fi
  done
  local before=start-hint-hidden before_lines=$E2E_GRAB_LINES
  [ "$shown" = "start-$shot" ] && before=start-hint-shown
  [ -n "$shown" ] && mv "$E2E_OUT/$shown.png" "$E2E_OUT/start-hint-shown.png"
  [ -n "$hidden" ] && mv "$E2E_OUT/$hidden.png" "$E2E_OUT/start-hint-hidden.png"
  rm -f "$E2E_OUT"/start-[0-9]*.png

  # The run is shot again 200 frames after the later of the two, before the checks below take their
  # seconds: the run shows the same picture every 707 frames (7 segments of 101), and a shot taken
  # after them, some 1000 frames on, was now and then one period later, its numbers unchanged.
  e2e_frames 200
  e2e_grab after-200-frames
  local later=after-200-frames after_lines=$E2E_GRAB_LINES
  # The frames between the two shots, from the console's line counts before and after each.
  local apart="$((${after_lines% *} / 62 - ${before_lines#* } / 62 - 1))..$((${after_lines#* } / 62 - ${before_lines% *} / 62 + 1)) frames"
  local console="console lines ${before_lines/ /..} at $before, ${after_lines/ /..} at $later"
  e2e_check "exit hint hidden in some frames" test "$(e2e_px start-hint-hidden "$E2E_HINT" "$E2E_RED_TEXT")" = 0

  local start=start-hint-shown
  e2e_at_least "blue trail surface of the run" "$(e2e_px $start "$E2E_SCENE" "$E2E_TRAIL_BLUE")" 5000
  e2e_at_least "gray grid" "$(e2e_px $start "$E2E_GRID_CORNER" "$E2E_GRID")" 3000
  e2e_at_least "green axes" "$(e2e_px $start "$E2E_AXES" "$E2E_LIT_GREEN")" 300
  e2e_at_least "red help line at the bottom left" "$(e2e_px $start "$E2E_HELP" "$E2E_RED_TEXT")" 300
  local row
  for row in $(seq 0 11); do
    e2e_at_least "site table row $row: white label" "$(e2e_px $start "$(e2e_table_cell $row label)" "$E2E_WHITE_TEXT")" 150
    e2e_at_least "site table row $row: white row number" "$(e2e_px $start "$(e2e_table_cell $row number)" "$E2E_WHITE_TEXT")" 10
    e2e_at_least "site table row $row: red x" "$(e2e_px $start "$(e2e_table_cell $row x)" "$E2E_RED_TEXT")" 15
    e2e_at_least "site table row $row: green y" "$(e2e_px $start "$(e2e_table_cell $row y)" "$E2E_GREEN_TEXT")" 15
    e2e_at_least "site table row $row: blue z" "$(e2e_px $start "$(e2e_table_cell $row z)" "$E2E_BLUE_TEXT")" 15
  done
  e2e_check "site table ends after 12 rows" test "$(e2e_px $start "$(e2e_table_cell 12 label)" "$E2E_WHITE_TEXT")" = 0
  for row in $(seq 0 6); do
    e2e_at_least "green length column row $row" "$(e2e_px $start "$(e2e_column_cell green $row)" "$E2E_GREEN_TEXT")" 60
    e2e_at_least "red length column row $row" "$(e2e_px $start "$(e2e_column_cell red $row)" "$E2E_RED_TEXT")" 30
  done
  e2e_check "length columns end after 7 rows" \
    test "$(e2e_px $start "$(e2e_column_cell green 7)" "$E2E_GREEN_TEXT")" = 0 -a \
         "$(e2e_px $start "$(e2e_column_cell red 7)" "$E2E_RED_TEXT")" = 0

  # The fallback window: the bars beside the picture stay black.
  if [ "$E2E_KIND" = xvfb ] && [ "$E2E_SCREEN" != 1024x768 ]; then
    e2e_grab_screen screen
    local pw ph px py sw sh sx sy bar
    IFS='x+' read -r pw ph px py <<<"$(e2e_picture_region)"
    IFS='x+' read -r sw sh sx sy <<<"$(e2e_shown)"
    px=$((px - sx)) py=$((py - sy))
    for bar in "${px}x$sh+$sx+$sy" "$((sw - px - pw))x$sh+$((sx + px + pw))+$sy" "${sw}x$py+$sx+$sy" \
               "${sw}x$((sh - py - ph))+$sx+$((sy + py + ph))"; do
      case $bar in 0x* | *x0+*) continue ;; esac
      e2e_check "the bar $bar beside the picture is black" \
        e2e_black screen "$bar"
    done
  fi

  # Over 200 frames the run curve and the run points move; the splines, their lengths and the grid stay.
  e2e_at_least "the run curve moved over $apart" "$(e2e_differ $before $later "$E2E_SCENE")" 30
  e2e_at_least "the site table's numbers changed over $apart ($console)" "$(e2e_differ $before $later 300x240+160+20)" 100
  e2e_check "the site table's labels stayed" test "$(e2e_differ $before $later 120x240+8+20)" = 0
  e2e_check "the length columns stayed" test "$(e2e_differ $before $later $E2E_COLUMNS)" = 0
  e2e_check "the grid stayed" test "$(e2e_differ $before $later "$E2E_GRID_CORNER")" = 0
  e2e_at_least "blue trail surface still drawn" "$(e2e_px $later "$E2E_SCENE" "$E2E_TRAIL_BLUE")" 5000

  e2e_key Escape
  e2e_wait_exit
  e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
  if [ -n "${E2E_LAYOUT:-}" ]; then
    e2e_check "the monitors are as they were after exit" test "$(xrandr --listmonitors)" = "$E2E_LAYOUT"
  else
    e2e_check "the desktop's mode is back after exit ($(e2e_shown))" test "$(e2e_shown)" = "$E2E_SCREEN+0+0"
  fi
  e2e_check_stderr "$1"
  e2e_at_least "console lines for 200 frames" "$(e2e_lines)" $((200 * 62))
  python3 "$E2E_HERE/start_scene.py" console "$E2E_STDOUT" || e2e_fail "console of the start scene"
  e2e_check_scratch
  local expected
  expected=$(python3 "$E2E_HERE/start_scene.py" last-number)
  e2e_check "1.txt holds the last red length, $expected" test "$(cat "$E2E_DIR/1.txt")" = "$expected"
}
