#!/usr/bin/env bash
# Smoke: the real viewer under Xvfb draws continuously through its fallback window, shows the gray
# grid, prints its number lines, and ends with status 0 on Escape.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/smoke" "$1"
e2e_start_xserver
e2e_start_viewer
e2e_frames 100
e2e_grab start
e2e_key Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_at_least "console lines for 100 frames" "$(wc -l <"$E2E_STDOUT")" 6200
e2e_check "stderr holds only the fallback notice" \
  test "$(grep -vc 'using a full-screen window' "$E2E_STDERR")" = 0
# The grid lies in the lower half of the picture; its (0.6, 0.6, 0.6) shows lit as about #505050.
e2e_at_least "gray grid pixels" "$(e2e_count start 1024x384+0+384 '#505050' 8)" 2000
e2e_finish
