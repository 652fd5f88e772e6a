# End-to-end harness, sourced by the e2e tests and scripts/run.sh: a private X server (Xvfb, or Xorg
# with the dummy driver) of any screen size on a free display, optionally a window manager, the viewer
# in a scratch working directory, keys through xdotool, screenshots of the picture where a person sees
# it read back as pixels, and cleanup of everything it started.

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Debian's python3, which the project installs, rather than whatever comes first on PATH: a version
# manager's shim there can cost seconds a call on a busy machine, and every pixel probe is a call.
[ -x /usr/bin/python3 ] && python3() { /usr/bin/python3 "$@"; }
E2E_XSERVER_PID=
E2E_WM_PID=
E2E_SCREEN=1024x768
E2E_PID=
E2E_STDOUT=/dev/null  # the running viewer's console, once one has started
E2E_STATUS=
E2E_RUNS=0
E2E_FAILURES=0

# e2e_init OUTPUT_DIR VIEWER_BINARY
e2e_init() {
  E2E_OUT=$1
  E2E_BIN=$(readlink -f "$2")
  mkdir -p "$E2E_OUT"
  E2E_OUT=$(cd "$E2E_OUT" && pwd)
  rm -f "$E2E_OUT"/*.png "$E2E_OUT"/*.stdout "$E2E_OUT"/*.stderr "$E2E_OUT"/*.log "$E2E_OUT"/*.log.old  # an earlier run's
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/splines-e2e-XXXXXX")
  trap e2e_cleanup EXIT
  for tool in Xvfb xdotool xwd convert compare xdpyinfo python3; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; exit 1; }
  done
  case $E2E_BIN in *.exe) e2e_use_wine ;; esac
}

# A Windows viewer (.exe) runs under Wine through wine_launch.sh, in the Wine prefix E2E_WINEPREFIX
# (kept between tests: making one takes some seconds) or else in one of this test's own, whose
# wineserver is ended before and after the test (wine_prefix.sh). Wine's own messages are off, so
# stderr holds the viewer's alone.
e2e_use_wine() {
  command -v wine >/dev/null || { echo "e2e: wine is not installed" >&2; exit 1; }
  export WINEPREFIX=${E2E_WINEPREFIX:-$E2E_WORK/wine-prefix} WINEDEBUG=-all
  E2E_WINE=1
  bash "$E2E_HERE/wine_prefix.sh" "$WINEPREFIX" || exit 1
  E2E_LAUNCH=(bash "$E2E_HERE/wine_launch.sh")
}

e2e_cleanup() {
  [ -n "$E2E_PID" ] && kill -9 "$E2E_PID" 2>/dev/null
  [ -n "${E2E_WINE:-}" ] && wineserver -k 2>/dev/null && wineserver -w
  e2e_stop_xserver
  [ -n "${E2E_WORK:-}" ] && { chmod -R u+w "$E2E_WORK" 2>/dev/null; rm -rf "$E2E_WORK"; }
  return 0
}

# Ends the window manager and the X server this harness started.
e2e_stop_xserver() {
  [ -n "$E2E_WM_PID" ] && kill "$E2E_WM_PID" 2>/dev/null && wait "$E2E_WM_PID" 2>/dev/null
  [ -n "$E2E_XSERVER_PID" ] && kill "$E2E_XSERVER_PID" 2>/dev/null && wait "$E2E_XSERVER_PID" 2>/dev/null
  [ -n "${E2E_CAST_PIDS:-}" ] && kill $E2E_CAST_PIDS 2>/dev/null
  [ -n "${E2E_BUS_PID:-}" ] && kill "$E2E_BUS_PID" 2>/dev/null
  E2E_WM_PID= E2E_XSERVER_PID= E2E_BUS_PID= E2E_CAST_PIDS=
  return 0
}

# e2e_start_xserver [xvfb|xorg] [WIDTHxHEIGHT]: starts an X server with a desktop of that size
# (default 1024x768) at depth 24 on a display the server finds free (-displayfd) and exports DISPLAY. Xvfb (the
# default) cannot change modes, so the viewer falls back to a full-screen window there; Xorg with the
# dummy video driver has the desktop's mode and a 1024x768 mode at 72 Hz, in which the viewer's game
# mode is entered for real (Xorg needs root). Both keep their state when the last client leaves
# (-noreset: Caps Lock stays as typed from one viewer to the next), and run without key auto-repeat
# (-r): keys are typed, never held, and a lagging server could take a typed key for a held one.
e2e_start_xserver() {
  local kind=${1:-xvfb} n
  local server
  E2E_KIND=$kind
  E2E_SCREEN=${2:-1024x768}
  case $kind in
    xvfb) server=(Xvfb -screen 0 "${E2E_SCREEN}x24" -nolisten tcp -noreset -r) ;;
    xorg)
      e2e_write_xorg_config "$E2E_WORK/xorg.conf" "$E2E_SCREEN"
      server=(Xorg -config "$E2E_WORK/xorg.conf" -noreset -nolisten tcp -r -logfile "$E2E_OUT/xorg.log") ;;
    *) echo "e2e: unknown X server kind $kind" >&2; exit 1 ;;
  esac
  # The server picks a display nobody uses (its own socket test, which sees servers whose lock files
  # live in another file-system namespace) and writes its number to the pipe once it takes clients.
  local pipe="$E2E_WORK/displayfd"
  rm -f "$pipe"
  mkfifo "$pipe"
  "${server[0]}" "${server[@]:1}" -displayfd 3 3>"$pipe" >"$E2E_OUT/xserver.log" 2>&1 &
  E2E_XSERVER_PID=$!
  n=
  read -r -t 60 n <"$pipe" || true
  rm -f "$pipe"
  if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
    export DISPLAY=":$n"
    return 0
  fi
  kill "$E2E_XSERVER_PID" 2>/dev/null
  wait "$E2E_XSERVER_PID" 2>/dev/null
  E2E_XSERVER_PID=
  echo "e2e: $kind did not start; its log:" >&2
  tail -n 20 "$E2E_OUT/xserver.log" >&2
  exit 1
}

# e2e_write_xorg_config FILE WIDTHxHEIGHT: a dummy screen of depth 24 with a desktop of that size in
# its first mode (60 Hz by the GTF formula) and 1024x768 at 72 Hz besides, and no input devices
# (xdotool types through the XTEST extension, which needs none).
e2e_write_xorg_config() {
  local width=${2%x*} height=${2#*x} desktop_mode=
  if [ "$2" != 1024x768 ]; then
    desktop_mode="Modeline \"$2\" $(gtf "$width" "$height" 60 | sed -n 's/.*Modeline "[^"]*" *//p')"
  fi
  sed -e "s/@DESKTOP_MODELINE@/$desktop_mode/" -e "s/@VIRTUAL@/$width $height/" \
    -e "s/@MODES@/${desktop_mode:+\"$2\" }\"1024x768_72\"/" >"$1" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy-card"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "dummy-monitor"
  HorizSync 30.0-100.0
  VertRefresh 50.0-80.0
  @DESKTOP_MODELINE@
  Modeline "1024x768_72" 78.43 1024 1080 1192 1360 768 769 772 801 -hsync +vsync
EndSection
Section "Screen"
  Identifier "dummy-screen"
  Device "dummy-card"
  Monitor "dummy-monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual @VIRTUAL@
    Modes @MODES@
  EndSubSection
EndSection
CONF
}

# e2e_start_viewer [WORKING_DIR]: starts the viewer there (default: a fresh scratch directory) and
# waits for its screen: the fallback window "splines" or the game-mode window "FREEGLUT". Its console
# goes to $E2E_STDOUT and $E2E_STDERR. A command prefix in the array E2E_LAUNCH, if set, starts it
# (it receives the viewer's path as its last argument and must exec it in WORKING_DIR).
e2e_start_viewer() {
  E2E_RUNS=$((E2E_RUNS + 1))
  E2E_DIR=${1:-$E2E_WORK/run$E2E_RUNS}
  mkdir -p "$E2E_DIR"
  E2E_STDOUT=$E2E_OUT/run$E2E_RUNS.stdout
  E2E_STDERR=$E2E_OUT/run$E2E_RUNS.stderr
  # A second Wine viewer in one test starts, like the first, with no wineserver running: against the
  # one the first viewer left (it and Wine's own services take about 4 s to end), the new viewer at
  # times got none of its keys, or got them late.
  [ -n "${E2E_WINE:-}" ] && [ "$E2E_RUNS" -gt 1 ] && wineserver -k 2>/dev/null && wineserver -w
  (cd "$E2E_DIR" && exec ${E2E_LAUNCH[@]+"${E2E_LAUNCH[@]}"} "$E2E_BIN") >"$E2E_STDOUT" 2>"$E2E_STDERR" &
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
    E2E_WINDOW=$(e2e_viewer_window)
  done
  E2E_GAME_MODE=
  [ "$(xdotool getwindowname "$E2E_WINDOW" 2>/dev/null)" = FREEGLUT ] && E2E_GAME_MODE=1
}

# e2e_viewer_window: the viewer's visible window, if it has one, and not the frame a window manager
# put around it: mutter 44 and later draw frames from an X client of their own, mutter-x11-frames,
# whose frame windows carry the name of the window they hold.
e2e_viewer_window() {
  local window
  for window in $(xdotool search --onlyvisible --name '^(splines|FREEGLUT)$' 2>/dev/null); do
    xprop -id "$window" WM_CLASS 2>/dev/null | grep -q '"mutter-x11-frames"' || { echo "$window"; return; }
  done
}

# Number of console lines the viewer has written so far.
e2e_lines() { wc -l <"$E2E_STDOUT"; }

# e2e_wait_lines N [SECONDS]: waits until the console holds at least N lines; gives up after SECONDS
# (default 60), or after 15 s without a new line: a viewer that draws prints some line every frame.
e2e_wait_lines() {
  local deadline=$((SECONDS + ${2:-60})) have last_change=$SECONDS seen
  seen=$(e2e_lines)
  while have=$(e2e_lines) && [ "$have" -lt "$1" ]; do
    [ "$have" != "$seen" ] && { seen=$have; last_change=$SECONDS; }
    if [ $SECONDS -ge $deadline ] || [ $((SECONDS - last_change)) -ge 15 ]; then
      e2e_fail "waited for $1 console lines, have $have"
      return 1
    fi
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

# e2e_shown: the part of the screen the monitor shows (WxH+X+Y): the monitor E2E_MONITOR where a test
# of several names the one the viewer must cover; in game mode on Xorg the video mode at the server's
# viewport; else the whole screen.
e2e_shown() {
  if [ -n "${E2E_MONITOR:-}" ]; then echo "$E2E_MONITOR"; elif [ "${E2E_KIND:-xvfb}" = xorg ]; then python3 "$E2E_HERE/shown_region.py"; else echo "$E2E_SCREEN+0+0"; fi
}

# e2e_picture_region: where a person looks for the picture (WxH+X+Y): the largest 4:3 rectangle in the
# shown part, centred in it.
e2e_picture_region() {
  local shown w h x y pw ph
  shown=$(e2e_shown)
  IFS='x+' read -r w h x y <<<"$shown"
  if [ $((w * 3)) -ge $((h * 4)) ]; then ph=$h pw=$(((h * 4 + 1) / 3)); else pw=$w ph=$(((w * 3 + 2) / 4)); fi
  echo "${pw}x${ph}+$((x + (w - pw) / 2))+$((y + (h - ph) / 2))"
}

# e2e_grab NAME: the picture where a person looks for it, brought to 1024x768 pixel by pixel (nearest
# neighbour: colours stay pure), into $E2E_OUT/NAME.png; every region below is one of that picture.
# E2E_GRAB_LINES keeps the console's line counts before and after the screen was read (FIRST LAST):
# the frame shot lies between them.
e2e_grab() {
  local region before
  before=$(e2e_lines)
  region=$(e2e_picture_region)
  if [ "$region" = 1024x768+0+0 ] && [ "$E2E_SCREEN" = 1024x768 ]; then
    e2e_screen_image | convert "$(e2e_screen_format):-" "png:$E2E_OUT/$1.png"
  else
    e2e_screen_image | convert "$(e2e_screen_format):-" -crop "$region" +repage -sample '1024x768!' "png:$E2E_OUT/$1.png"
  fi
  E2E_GRAB_LINES="$before $(e2e_lines)"
}

# e2e_screen_image: the whole screen as an image on stdout, of format e2e_screen_format: the X server's
# root window, or under KWin and mutter (whose rootless Xwayland's root shows nothing) the compositor's
# screenshot or screen cast.
e2e_screen_image() {
  case ${E2E_KIND:-} in
    kwin) python3 "$E2E_HERE/kwin_screenshot.py" /dev/stdout ;;
    mutter) python3 "$E2E_HERE/mutter_screenshot.py" /dev/stdout ;;
    *) xwd -root -silent -display "$DISPLAY" ;;
  esac
}
e2e_screen_format() { case ${E2E_KIND:-} in kwin) echo ppm ;; mutter) echo png ;; *) echo xwd ;; esac; }

# e2e_grab_screen NAME: the whole screen, as it is, into $E2E_OUT/NAME.png.
e2e_grab_screen() { e2e_screen_image | convert "$(e2e_screen_format):-" "png:$E2E_OUT/$1.png"; }

# e2e_start_wm: starts Debian's openbox on the X server and waits until it manages windows.
e2e_start_wm() {
  command -v openbox >/dev/null || { echo "e2e: openbox is not installed" >&2; exit 1; }
  openbox --sm-disable >"$E2E_OUT/wm.log" 2>&1 &
  E2E_WM_PID=$!
  local tries
  for tries in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "e2e: openbox did not start; its log:" >&2
  cat "$E2E_OUT/wm.log" >&2
  exit 1
}

# e2e_set_monitors NAME:WxH+X+Y...: splits the Xvfb screen into RandR monitors side by side, a leading *
# on a name marking the primary one; the first takes the place of the screen's own output. E2E_LAYOUT
# keeps xrandr's list of them, to compare after the viewer ends.
e2e_set_monitors() {
  local monitor output=screen name geometry w h
  for monitor in "$@"; do
    name=${monitor%%:*} geometry=${monitor#*:}
    w=${geometry%%x*} h=${geometry#*x}
    h=${h%%+*}
    xrandr --setmonitor "$name" "$w/$((w / 4))x$h/$((h / 4))+${geometry#*+}" "$output" >/dev/null ||
      { echo "e2e: xrandr --setmonitor $monitor failed" >&2; exit 1; }
    output=none
  done
  E2E_LAYOUT=$(xrandr --listmonitors)
}

# e2e_window_fills_screen: the viewer's window covers the whole screen, its top left corner at 0,0, or
# the monitor E2E_MONITOR where one is named.
e2e_window_fills_screen() {
  local info
  info=$(xwininfo -id "$E2E_WINDOW" 2>/dev/null) || return 1
  [ "$(awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF }
            /Height:/ { h = $NF } END { print w "x" h "+" x "+" y }' <<<"$info")" = "${E2E_MONITOR:-$E2E_SCREEN+0+0}" ]
}

# e2e_count NAME GEOMETRY COLOUR [FUZZ%]: pixels of the screenshot NAME within GEOMETRY (WxH+X+Y)
# whose colour lies within FUZZ of COLOUR.
e2e_count() {
  convert "$E2E_OUT/$1.png" -crop "$2" +repage -alpha off \
    -fuzz "${4:-12}%" -fill '#FF00FE' -opaque "$3" \
    -fuzz 0 -fill black +opaque '#FF00FE' -fill white -opaque '#FF00FE' \
    -format '%[fx:round(mean*w*h)]' info:
}

# e2e_black NAME GEOMETRY: every pixel of screenshot NAME within GEOMETRY is black. The alpha channel
# is dropped first: a compositor's screen cast carries one, and ImageMagick 7's %[max] counts it.
e2e_black() {
  test "$(convert "$E2E_OUT/$1.png" -crop "$2" +repage -alpha off -format '%[max]' info:)" = 0
}

# e2e_differ A B GEOMETRY: number of pixels that differ between two screenshots within GEOMETRY.
e2e_differ() {
  compare -metric AE "$E2E_OUT/$1.png[$3]" "$E2E_OUT/$2.png[$3]" null: 2>&1 | cut -d' ' -f1
}

# e2e_pixels NAME GEOMETRY RULE: "count centroid_x centroid_y left top right bottom" of the pixels of
# screenshot NAME within GEOMETRY whose 8-bit channels r, g, b satisfy RULE (a Python expression).
e2e_pixels() { python3 "$E2E_HERE/pixels.py" "$E2E_OUT/$1.png" "$2" "$3"; }
# e2e_px NAME GEOMETRY RULE: only the count.
e2e_px() { e2e_pixels "$@" | cut -d' ' -f1; }

# Colours as they reach the screen. Overlay text is drawn unlit, so its colour names come out pure.
# The scene is lit: the 0.6 gray grid shows as grays of #4C4C4C to #787878, white curves as grays of
# #7F7F7F (a curve lit from behind) to white, the trail's blue (0, 0, 5) as strong blue, site-buffer
# points and axes as greens.
E2E_RED_TEXT='r > 200 and g < 80 and b < 80'
E2E_GREEN_TEXT='g > 200 and r < 80 and b < 80'
E2E_BLUE_TEXT='b > 200 and r < 80 and g < 80'
E2E_WHITE_TEXT='r > 200 and g > 200 and b > 200'
E2E_GRID='abs(r - g) < 8 and abs(g - b) < 8 and 0x40 <= r <= 0x80'
E2E_WHITE_CURVE='abs(r - g) < 10 and abs(g - b) < 10 and r >= 0x7c'
E2E_TRAIL_BLUE='b >= 0x80 and r < 0x40 and g < 0x40'
E2E_LIT_GREEN='g >= 0x60 and r < 0x40 and b < 0x40'
E2E_LIT_RED='r >= 0x70 and g < 0x40 and b < 0x40'
E2E_LIT_YELLOW='r >= 0x70 and g >= 0x70 and b < 0x40'

# Regions of the screen (WxH+X+Y, pixels). Overlay units map to pixels as ((x + 1024) / 2, (768 - y) / 2).
E2E_SCENE=850x450+0+262       # the 3D scene below the site table, left of the length columns
E2E_GRID_CORNER=300x120+0+585 # ground grid only, far from every spline
E2E_AXES=300x320+362+200      # the three axes about the origin, their cones and letters
E2E_HINT=440x36+550+4         # "Press ESC to exit", size 5 at (100, 700)
E2E_HELP=900x28+4+714         # the help line, size 3 at (-1000, -700)
E2E_TABLE=460x240+0+20        # the site table's first 12 rows
E2E_COLUMNS=168x110+856+520   # the two length columns' first 7 rows

# e2e_table_cell ROW label|number|x|y|z: the site table's cell (row r at y = 700 - 40 r, glyphs 10 px tall).
e2e_table_cell() {
  local top=$((20 + 20 * $1))
  case $2 in
    label) echo "120x18+8+$top" ;;
    number) echo "28x18+130+$top" ;;
    x) echo "98x18+160+$top" ;;
    y) echo "98x18+260+$top" ;;
    z) echo "98x18+360+$top" ;;
  esac
}

# e2e_column_cell green|red ROW: a length column's cell (row i at y = -300 - 30 i; x 700 and 950).
e2e_column_cell() {
  local top=$((521 + 15 * $2))
  case $1 in
    green) echo "122x15+858+$top" ;;
    red) echo "38x15+985+$top" ;;
  esac
}

# e2e_column_rows NAME: how many of the first 8 rows of the green length column screenshot NAME shows.
e2e_column_rows() {
  local row rows=0
  for row in 0 1 2 3 4 5 6 7; do
    [ "$(e2e_px "$1" "$(e2e_column_cell green $row)" "$E2E_GREEN_TEXT")" -ge 40 ] && rows=$((rows + 1))
  done
  echo $rows
}

# e2e_terminal_focused: the window manager's active window is the test's xterm, once it is open (before
# that both are unknown, which is no focus).
e2e_terminal_focused() {
  local terminal
  terminal=$(xdotool search --onlyvisible --class xterm 2>/dev/null | head -n 1)
  [ -n "$terminal" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$terminal" ]
}

# e2e_keyboard_state: where typed keys go now, for a failure message: the focus, the window under the
# pointer, the viewer's window and the Caps Lock state, as the X server has them.
e2e_keyboard_state() {
  local pointer
  pointer=$(xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p')
  echo "focus $(xdotool getwindowfocus 2>/dev/null || echo 'PointerRoot or none'), pointer over ${pointer:-?}," \
    "viewer ${E2E_WINDOW:-none}, $(xset q 2>/dev/null | grep -o 'Caps Lock: *[a-z]*' | tr -s ' ')"
}

# e2e_wait_until SECONDS DESCRIPTION COMMAND...: runs the command until it succeeds; fails after SECONDS,
# or as soon as the viewer, where one was started, has ended.
e2e_wait_until() {
  local deadline=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    if [ $SECONDS -ge $deadline ]; then e2e_fail "timed out waiting until $what ($(e2e_keyboard_state))"; return 1; fi
    if [ -n "$E2E_PID" ] && ! kill -0 "$E2E_PID" 2>/dev/null; then
      e2e_fail "the viewer ended while waiting until $what"; return 1
    fi
    sleep 0.1
  done
  echo "ok: $what"
}

# e2e_same_picture A B: the scene, the site table and the length columns agree pixel for pixel between
# two screenshots (the exit hint and the help line follow the frame counter, so they are left out).
e2e_same_picture() {
  [ "$(e2e_differ "$1" "$2" "$E2E_SCENE")" = 0 ] && [ "$(e2e_differ "$1" "$2" "$E2E_TABLE")" = 0 ] &&
    [ "$(e2e_differ "$1" "$2" "$E2E_COLUMNS")" = 0 ]
}

# e2e_hint_shown NAME: the exit hint is on screenshot NAME.
e2e_hint_shown() { [ "$(e2e_px "$1" "$E2E_HINT" "$E2E_RED_TEXT")" -ge 500 ]; }

# e2e_wait_hint_flips N: a frame clock for states that print nothing. The exit hint shows for 10 frames
# out of 20; waits until screenshots have seen it flip N times, so at least 10 (N - 1) + 1 frames pass.
e2e_wait_hint_flips() {
  local flips=0 last= now deadline=$((SECONDS + 60))
  while [ $flips -lt "$1" ]; do
    [ $SECONDS -ge $deadline ] && { e2e_fail "the exit hint did not blink"; return 1; }
    e2e_grab _clock
    if e2e_hint_shown _clock; then now=on; else now=off; fi
    [ -n "$last" ] && [ "$now" != "$last" ] && flips=$((flips + 1))
    last=$now
  done
  rm -f "$E2E_OUT/_clock.png"
}

# e2e_tail_periodic PERIOD COUNT: the last COUNT console lines repeat with PERIOD, as in frames that
# draw the same numbers over and over.
e2e_tail_periodic() {
  [ "$(e2e_lines)" -ge "$2" ] &&
    tail -n "$2" "$E2E_STDOUT" | awk -v n="$1" '{ a[NR] = $0 } END { for (i = 1; i + n <= NR; i++) if (a[i] != a[i + n]) exit 1 }'
}

# e2e_check_stderr notice|quiet [SCRATCH_LINE]: stderr holds exactly the fallback notice, or nothing;
# and, where given, the one line (a fixed string) that says why the scratch file cannot be written.
e2e_check_stderr() {
  local lines=0 expect=$1
  # Wine on a 1024 x 768 Xvfb grants the game mode, the display having that size already, where the
  # Linux viewer on the same server cannot switch modes and falls back.
  [ "$expect" = notice ] && [ -n "${E2E_WINE:-}" ] && [ -n "${E2E_GAME_MODE:-}" ] && expect=quiet
  if [ "$expect" = notice ]; then
    lines=1
    e2e_check "stderr holds the fallback notice once" test "$(grep -c 'using a full-screen window' "$E2E_STDERR")" = 1
  fi
  if [ -n "${2:-}" ]; then
    lines=$((lines + 1))
    # Windows lines end in CR LF.
    e2e_check "stderr says once: $2" test "$(tr -d '\r' <"$E2E_STDERR" | grep -cxF "$2")" = 1
  fi
  if [ $lines = 0 ]; then
    e2e_check "stderr is empty (game mode entered, no fallback)" test ! -s "$E2E_STDERR"
  else
    e2e_check "stderr holds nothing else" test "$(grep -c '' "$E2E_STDERR")" = $lines
  fi
}

# e2e_check_scratch: after exit, "1.txt" holds the last number drawn, with no line end: as many
# characters as the last console line says.
e2e_check_scratch() {
  local file=$E2E_DIR/1.txt last
  last=$(tail -n 1 "$E2E_STDOUT")
  e2e_check "1.txt exists" test -f "$file" || return
  e2e_check "1.txt holds $last characters, as the last console line says ($(wc -c <"$file"))" \
    test "$(wc -c <"$file")" = "$last"
  e2e_check "1.txt has no line end" test "$(tr -dc '\n' <"$file" | wc -c)" = 0
  e2e_check "1.txt holds a number ($(cat "$file"))" grep -Eq '^-?[0-9.]+(e[-+][0-9]+)?$' "$file"
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
  if "$@"; then echo "ok: $what"; else e2e_fail "$what"; return 1; fi
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

# e2e_start_mutter WIDTHxHEIGHT: GNOME's compositor, headless with one virtual monitor of that size and
# Xwayland, on a private session bus; exports DISPLAY and XAUTHORITY of its Xwayland. Skips (status 77)
# where mutter cannot start here.
e2e_start_mutter() {
  command -v mutter >/dev/null && command -v dbus-daemon >/dev/null && command -v Xwayland >/dev/null ||
    { echo "SKIP: mutter, dbus or Xwayland is not installed"; exit 77; }
  e2e_x11_socket_dir
  e2e_start_session_bus
  # PipeWire and its session manager carry the compositor's screen casts, the test's screenshots.
  if command -v pipewire >/dev/null && command -v wireplumber >/dev/null; then
    pipewire >"$E2E_OUT/pipewire.log" 2>&1 &
    E2E_CAST_PIDS=$!
    local wait_socket
    for wait_socket in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.1; done
    wireplumber >"$E2E_OUT/wireplumber.log" 2>&1 &
    E2E_CAST_PIDS="$E2E_CAST_PIDS $!"
  fi
  mutter --headless --wayland --virtual-monitor "$1" >"$E2E_OUT/mutter.log" 2>&1 &
  E2E_XSERVER_PID=$!
  E2E_KIND=mutter E2E_SCREEN=$1
  local tries display=
  for tries in $(seq 200); do
    display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$E2E_OUT/mutter.log")
    [ -n "$display" ] && export XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1) &&
      DISPLAY=$display xdpyinfo >/dev/null 2>&1 && { export DISPLAY=$display; return 0; }
    kill -0 "$E2E_XSERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "SKIP: mutter did not start; its log:"
  tail -n 20 "$E2E_OUT/mutter.log"
  exit 77
}

# e2e_x11_socket_dir: the folder of X's local sockets, made as a desktop's boot makes it (mode 1777)
# where a fresh /tmp lacks it: mutter 48 will not start Xwayland without it.
e2e_x11_socket_dir() {
  [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
}

# e2e_start_session_bus: a private runtime folder and session bus for a compositor and its clients.
e2e_start_session_bus() {
  export XDG_RUNTIME_DIR=$E2E_WORK/runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  local bus
  bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || { echo "SKIP: no session bus"; exit 77; }
  export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
  E2E_BUS_PID=${bus##*$'\n'}
}

# e2e_listening_display PID: the X display (:N) whose local socket the process PID holds, if any.
e2e_listening_display() {
  local inodes
  inodes=$(find "/proc/$1/fd" -lname 'socket:*' -printf '%l\n' 2>/dev/null | tr -dc '0-9\n')
  [ -n "$inodes" ] || return 0
  awk -v inodes="$inodes" 'BEGIN { n = split(inodes, list, "\n"); for (i = 1; i <= n; i++) mine[list[i]] = 1 }
    ($7 in mine) && $8 ~ /^@?\/tmp\/\.X11-unix\/X[0-9]+$/ { sub(/.*X/, ":", $8); print $8; exit }' /proc/net/unix
}

# e2e_start_kwin WIDTHxHEIGHT: KDE's compositor on a virtual output of that size with Xwayland, on a
# private session bus, its screenshots allowed; exports DISPLAY of its Xwayland. The packaged binary
# carries file capabilities that a root sandbox may refuse to run; a copy of it runs without them.
# Skips (status 77) where KWin cannot start here.
e2e_start_kwin() {
  command -v kwin_wayland >/dev/null && command -v dbus-daemon >/dev/null && command -v Xwayland >/dev/null ||
    { echo "SKIP: kwin_wayland, dbus or Xwayland is not installed"; exit 77; }
  e2e_x11_socket_dir
  e2e_start_session_bus
  cp "$(command -v kwin_wayland)" "$E2E_WORK/kwin_wayland"
  KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 "$E2E_WORK/kwin_wayland" --virtual --xwayland --socket wayland-e2e \
    --width "${1%x*}" --height "${1#*x}" >"$E2E_OUT/kwin.log" 2>&1 &
  E2E_XSERVER_PID=$!
  E2E_KIND=kwin E2E_SCREEN=$1
  local tries xwayland display up=
  for tries in $(seq 200); do
    xwayland=$(pgrep -P "$E2E_XSERVER_PID" Xwayland | head -n 1)
    display=$([ -n "$xwayland" ] && tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -m 1 '^:[0-9]*$')
    # KWin 6 listens on X's socket itself and starts Xwayland when the first client connects.
    [ -n "$display" ] || display=$(e2e_listening_display "$E2E_XSERVER_PID")
    [ -n "$display" ] && DISPLAY=$display xdpyinfo >/dev/null 2>&1 && { export DISPLAY=$display; up=1; break; }
    kill -0 "$E2E_XSERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$up" ]; then
    # The screenshots come from KWin's screenshot effect, which KWin 6 runs only when it composites
    # with OpenGL: on a virtual output that takes a GPU's render node, else it paints with QPainter.
    for tries in $(seq 50); do
      dbus-send --session --print-reply --dest=org.kde.KWin /org/kde/KWin org.freedesktop.DBus.Introspectable.Introspect \
        2>/dev/null | grep -q '"ScreenShot2"' && return 0
      sleep 0.1
    done
    echo "SKIP: KWin offers no screenshots here (its screenshot effect needs OpenGL compositing)"
    exit 77
  fi
  echo "SKIP: kwin_wayland did not start; its log:"
  tail -n 20 "$E2E_OUT/kwin.log"
  exit 77
}
