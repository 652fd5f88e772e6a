#!/usr/bin/env bash
# GNOME's compositor (mutter, headless, one virtual monitor, Xwayland): the viewer says game mode is not
# used on Xwayland and opens its full-screen window over the whole monitor; a terminal holds the
# keyboard before it starts and the viewer has it once open; keys typed through the compositor's own
# virtual keyboard act (q takes the site table away: 14 console lines a frame instead of 62) and
# Escape ends it with status 0; the picture, read through the compositor's screen cast, is whole at 4:3
# and centred; the monitor is as it was after exit. Third argument: the monitor's
# size (default 1920x1080). Skips (status 77) where mutter cannot start.
# e2e screens: 1280x1024
set -uo pipefail
source "$(dirname "$0")/harness.sh"
screen=${3:-1920x1080}
e2e_init "$2/gnome-$screen" "$1"
e2e_start_mutter "$screen"
# The monitors' layout, without the primary mark: mutter 48 marks its monitor primary in Xwayland
# some time after it starts, the viewer never does.
monitors() { xrandr --listmonitors | tr -d '*'; }
layout=$(monitors)
keys() { python3 "$E2E_HERE/mutter_keys.py" "$@" || e2e_fail "mutter's virtual keyboard"; }

xterm -e sleep 600 >"$E2E_OUT/xterm.log" 2>&1 &
terminal=$!
e2e_wait_until 20 "the terminal has the focus" e2e_terminal_focused

e2e_start_viewer
e2e_check "stderr says game mode is not used on Xwayland" \
  grep -qx 'splines: game mode 1024x768:256@72 not used on Xwayland, using a full-screen window' "$E2E_STDERR"
e2e_wait_until 20 "the window covers the $screen monitor" e2e_window_fills_screen
e2e_wait_until 10 "the viewer has the focus" test "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WINDOW"
e2e_frames 5
keys 71  # q
# Whole frames of 14 lines once the site table is off: the last 140 lines repeat with that period.
e2e_wait_until 20 "key q took the site table away (14 console lines a frame)" \
  eval 'e2e_frames 20 && e2e_tail_periodic 14 140'
# The picture through the compositor's screen cast: whole at 4:3, centred, black bars beside it.
e2e_grab gnome
e2e_at_least "the green length column's 7 rows in the picture" "$(e2e_column_rows gnome)" 7
e2e_at_least "the gray grid in the picture" "$(e2e_px gnome "$E2E_GRID_CORNER" "$E2E_GRID")" 3000
e2e_at_least "the help line at the picture's bottom left" "$(e2e_px gnome "$E2E_HELP" "$E2E_RED_TEXT")" 300
e2e_grab_screen gnome-screen
IFS='x+' read -r pw ph px py <<<"$(e2e_picture_region)"
[ "$px" -gt 0 ] && for bar in "${px}x$ph+0+$py" "${px}x$ph+$((px + pw))+$py"; do
  e2e_check "the bar $bar beside the picture is black" \
    e2e_black gnome-screen "$bar"
done
keys ff1b  # Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check "the monitor is as it was after exit" test "$(monitors)" = "$layout"
kill "$terminal" 2>/dev/null
e2e_finish
