#!/usr/bin/env bash
# Two monitors side by side on one Xvfb screen (RandR monitors): the viewer skips game mode, says so, and
# covers one monitor, the primary one (left or right), or without a primary the one under the pointer;
# the start scene shows there whole at 4:3 and nothing of it on the other monitor; a terminal holds
# the keyboard before the viewer starts, and the viewer takes it; after Escape the monitors are as
# they were. The third argument: left, right or pointer, with +openbox for a window manager.
# e2e screens: right pointer left+openbox right+openbox
set -uo pipefail
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/start_scenario.sh"
case=${3:-left}
e2e_init "$2/two_monitors-$case" "$1"
command -v xrandr >/dev/null || { echo "e2e: xrandr is not installed" >&2; exit 1; }
left=1920x1080+0+0 right=1280x1024+1920+0
e2e_start_xserver xvfb 3200x1080
case ${case%+openbox} in
  left) e2e_set_monitors "*LEFT:$left" "RIGHT:$right"; E2E_MONITOR=$left other=$right ;;
  right) e2e_set_monitors "LEFT:$left" "*RIGHT:$right"; E2E_MONITOR=$right other=$left ;;
  pointer) e2e_set_monitors "LEFT:$left" "RIGHT:$right"; xdotool mousemove 2500 500; E2E_MONITOR=$right other=$left ;;
  *) echo "e2e: unknown case $case" >&2; exit 1 ;;
esac
case $case in *+openbox) e2e_start_wm ;; esac

# The terminal a person starts the viewer from, holding the keyboard, on the monitor the viewer is to
# cover (elsewhere it would show on the other monitor).
IFS='x+' read -r _ _ mx my <<<"$E2E_MONITOR"
xterm -geometry "80x24+$((mx + 40))+$((my + 40))" -e sleep 600 >"$E2E_OUT/xterm.log" 2>&1 &
terminal=$!
e2e_wait_until 20 "the terminal is open" xdotool search --sync --onlyvisible --class xterm >/dev/null
xdotool windowfocus --sync "$(xdotool search --onlyvisible --class xterm | head -n 1)"

start_scenario notice
e2e_check "stderr says why: 2 monitors" grep -q 'not used on a screen of 2 monitors' "$E2E_STDERR"
# The last full-screen grab, taken while the viewer ran: the other monitor shows none of the picture.
for colour in "$E2E_TRAIL_BLUE" "$E2E_GREEN_TEXT" "$E2E_RED_TEXT"; do
  e2e_check "nothing of the picture on the other monitor $other ($colour)" \
    test "$(e2e_px screen "$other" "$colour")" = 0
done
kill "$terminal" 2>/dev/null
e2e_finish
