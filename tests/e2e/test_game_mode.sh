#!/usr/bin/env bash
# Game mode for real: on Xorg with the dummy video driver, whose one mode is 1024x768 at 72 Hz, the
# viewer enters GLUT's game mode (no fallback notice on stderr) and shows the same start as on Xvfb.
# Skips (status 77) where Xorg with the dummy driver is not installed or cannot be started as root.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/start_scenario.sh"

skip() { echo "SKIP: $*"; exit 77; }
command -v Xorg >/dev/null || skip "Xorg is not installed (Debian: xserver-xorg-core)"
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  skip "the dummy video driver is not installed (Debian: xserver-xorg-video-dummy)"
[ "$(id -u)" -eq 0 ] || skip "Xorg on a machine without a console needs root"

e2e_init "$2/game_mode" "$1"
e2e_start_xserver xorg
start_scenario quiet
e2e_finish
