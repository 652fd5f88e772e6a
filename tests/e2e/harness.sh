# End-to-end harness, sourced by the e2e tests and scripts/run.sh: a private Xvfb on a free display,
# the viewer in a scratch working directory, keys through xdotool, screenshots read back as pixels,
# and cleanup of everything it started.

E2E_XVFB_PID=
E2E_PID=
E2E_STATUS=
E2E_RUNS=0
E2E_FAILURES=0

# e2e_init OUTPUT_DIR VIEWER_BINARY
e2e_init() {
  E2E_OUT=$1
  E2E_BIN=$(readlink -f "$2")
  mkdir -p "$E2E_OUT"
  E2E_OUT=$(cd "$E2E_OUT" && pwd)
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/splines-e2e-XXXXXX")
  trap e2e_cleanup EXIT
  for tool in Xvfb xdotool xwd convert xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; exit 1; }
  done
}

e2e_cleanup() {
  [ -n "$E2E_PID" ] && kill -9 "$E2E_PID" 2>/dev/null
  [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null && wait "$E2E_XVFB_PID" 2>/dev/null
  [ -n "${E2E_WORK:-}" ] && { chmod -R u+w "$E2E_WORK" 2>/dev/null; rm -rf "$E2E_WORK"; }
  return 0
}

# Starts Xvfb 1024x768x24 on the first free display from :90 on and exports DISPLAY.
e2e_start_xserver() {
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$E2E_OUT/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local tries
    for tries in $(seq 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$E2E_XVFB_PID" 2>/dev/null || break  # lost the race for this display
      sleep 0.1
    done
    kill "$E2E_XVFB_PID" 2>/dev/null
    E2E_XVFB_PID=
  done
  echo "e2e: no X server could be started" >&2
  exit 1
}

# e2e_start_viewer [WORKING_DIR]: starts the viewer there (default: a fresh scratch directory) and
# waits for its window. Its console goes to $E2E_STDOUT and $E2E_STDERR.
e2e_start_viewer() {
  E2E_RUNS=$((E2E_RUNS + 1))
  E2E_DIR=${1:-$E2E_WORK/run$E2E_RUNS}
  mkdir -p "$E2E_DIR"
  E2E_STDOUT=$E2E_OUT/run$E2E_RUNS.stdout
  E2E_STDERR=$E2E_OUT/run$E2E_RUNS.stderr
  (cd "$E2E_DIR" && exec "$E2E_BIN") >"$E2E_STDOUT" 2>"$E2E_STDERR" &
  E2E_PID=$!
  E2E_STATUS=
  local deadline=$((SECONDS + 30))
  E2E_WINDOW=
  while [ -z "$E2E_WINDOW" ]; do
    if ! kill -0 "$E2E_PID" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
      echo "e2e: the viewer opened no window; stderr:" >&2
      cat "$E2E_STDERR" >&2
      exit 1
    fi
    sleep 0.1
    E2E_WINDOW=$(xdotool search --onlyvisible --name '^splines$' 2>/dev/null | head -n 1)
  done
}

# Number of console lines the viewer has written so far.
e2e_lines() { wc -l <"$E2E_STDOUT"; }

# e2e_wait_lines N [SECONDS]: waits until the console holds at least N lines.
e2e_wait_lines() {
  local deadline=$((SECONDS + ${2:-60}))
  while [ "$(e2e_lines)" -lt "$1" ]; do
    [ $SECONDS -ge $deadline ] && { e2e_fail "waited for $1 console lines, have $(e2e_lines)"; return 1; }
    kill -0 "$E2E_PID" 2>/dev/null || { e2e_fail "the viewer ended while waiting for output"; return 1; }
    sleep 0.05
  done
}

# e2e_frames N: waits for N more frames, counted by console lines of LINES_PER_FRAME each.
e2e_frames() {
  local start
  start=$(e2e_lines)
  e2e_wait_lines $((start + $1 * ${LINES_PER_FRAME:-62}))
}

# Keys at a person's pace (100 ms apart), and as a burst with no delay.
e2e_key() { xdotool key --delay 100 "$@"; }
e2e_burst() { xdotool key --delay 0 "$@"; }

# e2e_grab NAME: the whole screen into $E2E_OUT/NAME.png.
e2e_grab() { xwd -root -silent -display "$DISPLAY" | convert xwd:- "png:$E2E_OUT/$1.png"; }

# e2e_count NAME GEOMETRY COLOUR [FUZZ%]: pixels of the screenshot NAME within GEOMETRY (WxH+X+Y)
# whose colour lies within FUZZ of COLOUR.
e2e_count() {
  convert "$E2E_OUT/$1.png" -crop "$2" +repage -alpha off \
    -fuzz "${4:-12}%" -fill '#FF00FE' -opaque "$3" \
    -fuzz 0 -fill black +opaque '#FF00FE' -fill white -opaque '#FF00FE' \
    -format '%[fx:round(mean*w*h)]' info:
}

# e2e_differ A B GEOMETRY: number of pixels that differ between two screenshots within GEOMETRY.
e2e_differ() {
  compare -metric AE <(convert "$E2E_OUT/$1.png" -crop "$3" +repage png:-) \
                     <(convert "$E2E_OUT/$2.png" -crop "$3" +repage png:-) null: 2>&1 | cut -d' ' -f1
}

# e2e_wait_exit [SECONDS]: waits for the viewer to end; its status lands in E2E_STATUS.
e2e_wait_exit() {
  local deadline=$((SECONDS + ${1:-20}))
  while kill -0 "$E2E_PID" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
      e2e_fail "the viewer did not end"
      kill -9 "$E2E_PID" 2>/dev/null
      break
    fi
    sleep 0.05
  done
  wait "$E2E_PID" 2>/dev/null
  E2E_STATUS=$?
  E2E_PID=
}

e2e_fail() {
  echo "FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

# e2e_check DESCRIPTION COMMAND...: runs the command as a condition.
e2e_check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else e2e_fail "$what"; fi
}

# e2e_at_least DESCRIPTION VALUE MINIMUM, e2e_at_most DESCRIPTION VALUE MAXIMUM
e2e_at_least() { e2e_check "$1 ($2 >= $3)" test "$2" -ge "$3"; }
e2e_at_most() { e2e_check "$1 ($2 <= $3)" test "$2" -le "$3"; }

# Ends the test: status 0 only when no check failed.
e2e_finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$E2E_FAILURES check(s) failed; screenshots and console in $E2E_OUT" >&2
    exit 1
  fi
  echo "all checks passed; screenshots and console in $E2E_OUT"
  exit 0
}
