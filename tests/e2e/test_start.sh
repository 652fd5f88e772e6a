#!/usr/bin/env bash
# Start, on Xvfb: the viewer falls back to a full-screen window and shows its start scene, running.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/start_scenario.sh"
e2e_init "$2/start" "$1"
e2e_start_xserver xvfb
start_scenario notice
e2e_finish
