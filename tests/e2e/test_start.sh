#!/usr/bin/env bash
# Start, on Xvfb: the viewer falls back to a full-screen window and shows its start scene, running. On
# a screen larger than 1024x768 (the optional third argument, WIDTHxHEIGHT, with +openbox for Debian's
# window manager) the picture fills the screen's height or width at 4:3, centred between black bars.
# e2e screens: 1920x1080+openbox 1600x1200 2560x1440
set -uo pipefail
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/start_scenario.sh"
screen=${3:-1024x768}
e2e_init "$2/start${3:+-$3}" "$1"
e2e_start_xserver xvfb "${screen%+openbox}"
case $screen in *+openbox) e2e_start_wm ;; esac
start_scenario notice
e2e_finish
