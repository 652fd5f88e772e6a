#!/usr/bin/env bash
# Makes docs/run.gif, the README's picture: the real viewer at its start scene on a private Xvfb, a few
# seconds of the run with the trail and as many without, screenshots scaled down and put together as a
# looping GIF. Run it again after a change to what the screen shows. Usage: animation.sh [OUTPUT.gif]
#
# The viewer's console lines are its frame clock (62 a frame at the start scene). For each screenshot
# the viewer runs on until SPLINES_GIF_STEP (default 3) more frames are drawn and is then stopped
# (SIGSTOP) while the screen is read, so the pictures are evenly spaced in frames however busy the
# machine is. The GIF shows them at SPLINES_GIF_FPS (default 60) frames a second. SPLINES_GIF_FRAMES
# (default 96) screenshots; key d, halfway, turns the trail off. SPLINES_GIF_WIDTH (default 512) pixels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/run.gif}")
shots=${SPLINES_GIF_FRAMES:-96}
step=${SPLINES_GIF_STEP:-3}
fps=${SPLINES_GIF_FPS:-60}
width=${SPLINES_GIF_WIDTH:-512}
lines_per_frame=62  # console lines of one frame of the start scene: 12 table rows of 4, 7 splines of 2
colours=128         # one palette for all frames

source "$root/scripts/private-viewer.sh"
private_viewer gif
e2e_wait_lines $((lines_per_frame * 20)) || exit 1  # past the first frames, the screen settled

# Each screenshot after STEP more frames, taken while the viewer is stopped; key d halfway. The frame
# clock is watched from Python: a shell loop that counts lines reacts too slowly on a busy machine.
# Writes N.xwd and N.lines (the console's line count at the stop) for N = 1 .. SHOTS, and SHOTS+1.lines.
python3 - "$E2E_PID" "$E2E_STDOUT" "$scratch" "$shots" "$step" "$lines_per_frame" <<'PY' || exit 1
import os, signal, subprocess, sys, time
pid, console, folder = int(sys.argv[1]), sys.argv[2], sys.argv[3]
shots, step, lines_per_frame = (int(a) for a in sys.argv[4:7])
lines = 0
with open(console, "rb") as f:
    def count():
        global lines
        lines += f.read().count(b"\n")
        return lines
    def advance(frames):
        target = count() + frames * lines_per_frame
        os.kill(pid, signal.SIGCONT)
        deadline = time.monotonic() + 60
        while count() < target:
            if time.monotonic() > deadline:
                sys.exit("animation: the viewer stopped drawing")
            time.sleep(0.0005)
        os.kill(pid, signal.SIGSTOP)
        time.sleep(0.01)  # a write under way lands before the count
        return count()
    os.kill(pid, signal.SIGSTOP)
    for i in range(1, shots + 2):
        if i == shots // 2 + 1:
            subprocess.run(["xdotool", "key", "d"], check=True)  # read when the viewer runs again
        with open(f"{folder}/{i}.lines", "w") as out:
            out.write(f"{advance(step)}\n")
        if i <= shots:
            with open(f"{folder}/{i}.xwd", "wb") as out:
                subprocess.run(["xwd", "-root", "-silent"], stdout=out, check=True)
    os.kill(pid, signal.SIGCONT)
PY
e2e_key Escape
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || { echo "animation: the viewer ended with status $E2E_STATUS" >&2; exit 1; }
set -e

# Delays in hundredths of a second, rounded so that their running sum follows the frame clock.
frames=()
shown=0
first=$(cat "$scratch/1.lines")
for i in $(seq 1 "$shots"); do
  next=$(cat "$scratch/$((i + 1)).lines")
  until_next=$(( (next - first) * 100 / (lines_per_frame * fps) - shown ))
  [ "$until_next" -ge 2 ] || until_next=2  # browsers show shorter delays as 1/10 s
  shown=$((shown + until_next))
  convert "xwd:$scratch/$i.xwd" -resize "${width}x" "$scratch/$i.png"
  frames+=(-delay "$until_next" "$scratch/$i.png")
done
mkdir -p "$(dirname "$output")"
convert "${frames[@]}" +dither -colors "$colours" -loop 0 "$scratch/raw.gif"
gifsicle -O3 --colors "$colours" "$scratch/raw.gif" -o "$output"
echo "$output: $shots frames, $((shown / 100)).$(printf '%02d' $((shown % 100))) s," \
  "$(( ($(cat "$scratch/$((shots + 1)).lines") - first) / lines_per_frame )) viewer frames," \
  "$(stat -c %s "$output") bytes"
