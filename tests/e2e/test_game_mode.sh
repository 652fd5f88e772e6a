#!/usr/bin/env bash
# Game mode for real: on Xorg with the dummy video driver, which has a 1024x768 mode at 72 Hz, the
# viewer enters GLUT's game mode (no fallback notice on stderr) and shows the same start as on Xvfb in
# the part of the screen the monitor shows. The desktop is 1024x768 or larger (the optional third
# argument, WIDTHxHEIGHT); after Escape its own mode is back.
# Skips (status 77) where Xorg with the dummy driver is not installed or cannot be started as root.
# e2e screens: 1280x1024 1920x1080
set -uo pipefail
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/start_scenario.sh"

skip() { echo "SKIP: $*"; exit 77; }
command -v Xorg >/dev/null || skip "Xorg is not installed (Debian: xserver-xorg-core)"
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  skip "the dummy video driver is not installed (Debian: xserver-xorg-video-dummy)"
[ "$(id -u)" -eq 0 ] || skip "Xorg on a machine without a console needs root"

e2e_init "$2/game_mode${3:+-$3}" "$1"
e2e_start_xserver xorg "${3:-1024x768}"
start_scenario quiet
e2e_finish
