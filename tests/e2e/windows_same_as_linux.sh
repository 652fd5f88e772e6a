#!/usr/bin/env bash
# The Windows viewer under Wine and the Linux viewer, each from the start scene with no key but
# Escape after 50 frames or more, print the same console lines over the frames both drew (the
# Windows ones, which must all end in CR LF, compared without their CR), and leave the same "1.txt".
# The last number of every start-scene frame is the last spline's red length, which no frame changes,
# so the two files agree whichever whole frame each viewer stopped after.
# Usage: windows_same_as_linux.sh SPLINES_EXE LINUX_SPLINES OUTPUT_DIR
set -uo pipefail
source "$(dirname "$0")/harness.sh"
e2e_init "$3/same_as_linux" "$1"
FRAMES=50
LINES_PER_FRAME=62  # numbers of a start-scene frame
e2e_start_xserver

# run NAME: the viewer in E2E_BIN until it has drawn FRAMES frames, then Escape.
run() {
  e2e_start_viewer "$E2E_WORK/$1"
  e2e_wait_lines $((FRAMES * LINES_PER_FRAME))
  e2e_key Escape
  e2e_wait_exit
  e2e_check "$1: exit status 0 on Escape (got $E2E_STATUS)" test "$E2E_STATUS" = 0
  e2e_check_stderr notice
  e2e_check "$1: whole frames ($(e2e_lines) lines)" test $(($(e2e_lines) % LINES_PER_FRAME)) = 0
}

E2E_LAUNCH=(wine)  # the console as the program writes it
run windows
windows_console=$E2E_STDOUT
E2E_BIN=$(readlink -f "$2")
E2E_LAUNCH=()
run linux
linux_console=$E2E_STDOUT

e2e_check "every Windows console line ends in CR LF" \
  test "$(grep -c $'\r$' "$windows_console")" = "$(wc -l <"$windows_console")"
tr -d '\r' <"$windows_console" >"$E2E_OUT/windows.lf.stdout"
common=$(wc -l <"$linux_console")
[ "$(wc -l <"$E2E_OUT/windows.lf.stdout")" -lt "$common" ] && common=$(wc -l <"$E2E_OUT/windows.lf.stdout")
e2e_at_least "lines both drew" "$common" $((FRAMES * LINES_PER_FRAME))
e2e_check "the same console lines over the $((common / LINES_PER_FRAME)) frames both drew" \
  cmp <(head -n "$common" "$E2E_OUT/windows.lf.stdout") <(head -n "$common" "$linux_console")

expected=$(python3 "$E2E_HERE/start_scene.py" last-number)
e2e_check "Windows 1.txt holds the last red length, $expected" test "$(cat "$E2E_WORK/windows/1.txt")" = "$expected"
e2e_check "Windows 1.txt holds as many characters as its console's last line says" \
  test "$(wc -c <"$E2E_WORK/windows/1.txt")" = "$(tail -n 1 "$E2E_OUT/windows.lf.stdout")"
e2e_check "1.txt: the same bytes from both" cmp "$E2E_WORK/windows/1.txt" "$E2E_WORK/linux/1.txt"
e2e_finish
