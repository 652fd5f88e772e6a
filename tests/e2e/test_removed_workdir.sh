#!/usr/bin/env bash
# The viewer's working directory is removed while it runs: it keeps drawing whole frames, every
# number's label blank (one console line "0" per number), says once on stderr why, and ends with
# status 0 on Escape.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/removed_workdir" "$1"
LINES_PER_FRAME=62  # numbers of a start-scene frame

e2e_start_xserver
dir=$E2E_WORK/viewer
e2e_start_viewer "$dir"
e2e_frames 10
e2e_check "the scratch file is there before" test -f "$dir/1.txt"
# The viewer may create "1.txt" again between the removal of the file and of the directory.
for attempt in $(seq 100); do
  rm -rf "$dir" 2>/dev/null
  [ -e "$dir" ] || break
done
e2e_check "the working directory is gone" test ! -e "$dir"
removed_at=$(e2e_lines)
e2e_frames 40
e2e_grab after
e2e_key Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check "whole frames: lines a multiple of $LINES_PER_FRAME" test $(($(e2e_lines) % LINES_PER_FRAME)) = 0
# From the first whole frame after the removal on, every label is blank.
blank_from=$(((removed_at / LINES_PER_FRAME + 1) * LINES_PER_FRAME + 1))
e2e_at_least "frames after the removal" $((($(e2e_lines) - blank_from + 1) / LINES_PER_FRAME)) 39
e2e_check "every line after the removal is 0" \
  test "$(tail -n +"$blank_from" "$E2E_STDOUT" | grep -vc '^0$')" = 0
e2e_check "no scratch file turned up in the parent" test ! -e "$E2E_WORK/1.txt"
# Linux has no name left for a removed working directory; Windows (here Wine) keeps the path it had.
folder="the removed working directory"
[ -n "${E2E_WINE:-}" ] && folder="Z:${dir//\//\\}"
e2e_check_stderr notice \
  "splines: cannot write the scratch file 1.txt in $folder (No such file or directory); numbers are left blank"
# The scene is still drawn: the grid in the lower half, (0.6, 0.6, 0.6) lit to about #505050.
e2e_at_least "grid pixels" "$(e2e_count after 1024x384+0+384 '#505050' 8)" 2000
e2e_finish
