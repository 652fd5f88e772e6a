#!/usr/bin/env bash
# Started in a working directory it cannot write, the viewer cannot create "1.txt": every number label
# is blank and every console line is "0", but the frame is still drawn (the run, the trail, the site
# table's labels, the grid, the help line and the blinking exit hint), Escape still ends it with
# status 0, and over all its frames one line on stderr says once which folder and why. The directory is made read-only by a read-only bind mount in a private mount namespace, or
# else the viewer runs as an unprivileged user; where neither can be had the test skips (status 77).
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$2/read_only_dir" "$1"

skip() { echo "SKIP: $*"; exit 77; }
dir=$E2E_WORK/read-only
mkdir -p "$dir"
chmod 555 "$dir"
chmod a+x "$E2E_WORK"  # the way in, for an unprivileged user
in_read_only_mount=(unshare -m sh -c 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && cd "$0" && exec "$@"' "$dir")
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if "${in_read_only_mount[@]}" sh -c '! touch probe' 2>/dev/null; then
  E2E_LAUNCH=("${in_read_only_mount[@]}")
  reason="Read-only file system"
  echo "read-only bind mount of $dir in a private mount namespace"
elif [ "$(id -u)" != 0 ] && ! touch "$dir/probe" 2>/dev/null; then
  E2E_LAUNCH=()
  reason="Permission denied"
  echo "$dir is read-only to this user"
elif "${as_nobody[@]}" sh -c 'cd "$0" && ! touch probe && test -x "$1"' "$dir" "$E2E_BIN" 2>/dev/null; then
  E2E_LAUNCH=("${as_nobody[@]}")
  reason="Permission denied"
  echo "viewer run as user nobody, for whom $dir is read-only"
else
  skip "neither a private mount namespace nor an unprivileged user is available to make $dir read-only"
fi

e2e_start_xserver
e2e_start_viewer "$dir"
e2e_frames 20
hint() { e2e_grab "$1" && { [ "$1" = hint-shown ] && e2e_hint_shown "$1" || { [ "$1" = hint-hidden ] && ! e2e_hint_shown "$1"; }; }; }
e2e_wait_until 60 "the exit hint shows" hint hint-shown
e2e_wait_until 60 "the exit hint blinks off" hint hint-hidden
shot=hint-shown
e2e_at_least "the run's blue trail surface" "$(e2e_px $shot "$E2E_SCENE" "$E2E_TRAIL_BLUE")" 5000
e2e_at_least "the gray grid" "$(e2e_px $shot "$E2E_GRID_CORNER" "$E2E_GRID")" 3000
e2e_at_least "the red help line" "$(e2e_px $shot "$E2E_HELP" "$E2E_RED_TEXT")" 300
for row in 0 11; do
  e2e_at_least "site table row $row: the white label" "$(e2e_px $shot "$(e2e_table_cell $row label)" "$E2E_WHITE_TEXT")" 150
done
e2e_check "site table: blank row numbers" test "$(e2e_px $shot 20x240+131+20 "$E2E_WHITE_TEXT")" = 0  # left of the colon
e2e_check "site table: blank coordinates" test "$(e2e_px $shot 300x240+160+20 "$E2E_RED_TEXT")" = 0 -a \
  "$(e2e_px $shot 300x240+160+20 "$E2E_GREEN_TEXT")" = 0 -a "$(e2e_px $shot 300x240+160+20 "$E2E_BLUE_TEXT")" = 0
e2e_check "blank length columns" test "$(e2e_px $shot "$E2E_COLUMNS" "$E2E_GREEN_TEXT")" = 0 -a \
  "$(e2e_px $shot "$E2E_COLUMNS" "$E2E_RED_TEXT")" = 0
e2e_frames 50
e2e_grab later
e2e_at_least "the run curve moves" "$(e2e_differ $shot later "$E2E_SCENE")" 30

e2e_key Escape
e2e_wait_exit
e2e_check "exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
e2e_check_stderr notice "splines: cannot write the scratch file 1.txt in $dir ($reason); numbers are left blank"
lines=$(e2e_lines)
e2e_check "whole frames of 62 console lines ($lines)" test $((lines % 62)) = 0 -a "$lines" -ge $((70 * 62))
e2e_check "every console line is 0" test "$(grep -cvx 0 "$E2E_STDOUT")" = 0
e2e_check "no 1.txt was created" test ! -e "$dir/1.txt"
e2e_finish
