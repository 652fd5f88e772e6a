#!/usr/bin/env bash
# KDE's compositor (kwin_wayland, virtual output, Xwayland): the viewer says game mode is not used on
# Xwayland, its window covers the monitor and has the focus taken from a terminal, and the start scene
# shows whole at 4:3 in KWin's own screenshots, running; Escape ends it with status 0. Keys go in
# through Xwayland's XTEST. Third argument: the monitor's size (default 1920x1080). Skips (status 77)
# where KWin cannot start.
# e2e screens: 1280x1024
set -uo pipefail
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/start_scenario.sh"
screen=${3:-1920x1080}
e2e_init "$2/kde-$screen" "$1"
e2e_start_kwin "$screen"
xterm -e sleep 600 >"$E2E_OUT/xterm.log" 2>&1 &
terminal=$!
e2e_wait_until 20 "the terminal has the focus" e2e_terminal_focused
start_scenario notice
e2e_check "stderr says game mode is not used on Xwayland" \
  grep -qx 'splines: game mode 1024x768:256@72 not used on Xwayland, using a full-screen window' "$E2E_STDERR"
kill "$terminal" 2>/dev/null
e2e_finish
