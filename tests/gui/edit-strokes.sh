#!/usr/bin/env bash
# Editing in a real window (run under xvfb-run.sh): xdotool paints and erases
# cells, steps the channels, stores a pattern and draws a velocity, then the
# plug-in's chunk, saved by the host when it is told to end, must show each
# change. The editor opens on the host's demo pattern, whose row 11 is empty.
# At SCALE percent the same points of the editor are hit (at-scale.sh);
# SAVE_CHUNK keeps the chunk.
#   [ARTIFACTS=DIR] [SCALE=PERCENT] [SAVE_CHUNK=FILE] edit-strokes.sh HOST PLUGIN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
host=$1 plugin=$2
. "$here/at-scale.sh"
work=$(mktemp -d)
trap 'rm -rf "$work" "$XDG_CONFIG_HOME"' EXIT
failed=0
fail() { echo "FAIL $*"; failed=1; }

# Window coordinates of the centre of the note cell at STEP, ROW.
cell_x() { echo $((104 + 16 * $1)); }
cell_y() { echo $((35 + 16 * $1)); }

stroke() {  # stroke BUTTON ROW FROM_STEP TO_STEP
  local button=$1 y; y=$(cell_y "$2")
  xdotool mousemove "$(cell_x "$3")" "$y" mousedown "$button"
  sleep 0.2
  for step in $(seq "$3" "$4"); do xdotool mousemove "$(cell_x "$step")" "$y"; sleep 0.15; done
  xdotool mouseup "$button"
  sleep 0.4
}

"$host" editor --for 60 --save-chunk "$work/chunk.bin" "$plugin" >"$work/host.out" 2>&1 &
host_pid=$!
timeout 20 xdotool search --sync --name "Quaverlin editor" >/dev/null || fail "no editor window"
sleep 1

stroke 1 11 4 8                                   # left: set steps 4..8 of row 11
stroke 3 11 7 8                                   # right: clear steps 7 and 8 again
xdotool mousemove 26 38 keydown ctrl click 1 keyup ctrl   # Ctrl+left on row 0's channel
sleep 0.4
xdotool mousemove 645 91 click 3                  # right: store into pattern 5 (index 4)
sleep 0.6
# The lanes now show row 11 (gauges 241..305 high): draw step 4's velocity
# to the middle, then drag step 5's from the bottom past the top.
lane() {  # lane X Y...: press at the first Y, move through the rest, release
  local x=$1; shift
  xdotool mousemove "$x" "$1" mousedown 1
  sleep 0.2
  for y in "$@"; do xdotool mousemove "$x" "$y"; sleep 0.15; done
  xdotool mouseup 1
  sleep 0.4
}
lane 172 300 290 273
lane 188 300 280 260 240 230
if [ -n "${ARTIFACTS:-}" ]; then
  mkdir -p "$ARTIFACTS" &&
    import -window root -crop "$editor_size+0+0" "$ARTIFACTS/edited-x11-$scale.png"
fi
import -window root -crop "$editor_size+0+0" "$work/shot.png"
# Done: the host closes the editor and saves the chunk as it ends.
kill -TERM $host_pid
wait $host_pid || fail "the host failed: $(cat "$work/host.out")"
[ -s "$work/chunk.bin" ] || { fail "no chunk saved"; exit 1; }
[ -n "${SAVE_CHUNK:-}" ] && cp "$work/chunk.bin" "$SAVE_CHUNK"

/usr/bin/python3 - "$work/chunk.bin" <<'PY' || failed=1
import sys
chunk = open(sys.argv[1], "rb").read()
PATTERN, ROW, STEP = 4660, 388, 12
current = 24 * PATTERN
def cell(pattern_base, row, step, field):   # field: 0 mode, 1 state, 3 velocity
    return chunk[pattern_base + row * ROW + 4 + step * STEP + field]
def row_byte(pattern_base, row, field):     # field: 0 note, 1 channel
    return chunk[pattern_base + row * ROW + field]
checks = [
    ("row 11 step 3 untouched", cell(current, 11, 3, 1), 0x80),
    ("row 11 step 4 set by the stroke", cell(current, 11, 4, 1), 0x90),
    ("row 11 step 6 set at the brush velocity", cell(current, 11, 6, 3), 127),
    ("row 11 step 4 a plain step", cell(current, 11, 4, 0), 1),
    ("row 11 step 7 cleared by the right stroke", cell(current, 11, 7, 1), 0x80),
    ("row 11 step 8 cleared by the right stroke", cell(current, 11, 8, 1), 0x80),
    ("row 11 step 4 drawn to the middle", 50 <= cell(current, 11, 4, 3) <= 78, True),
    ("row 11 step 5 dragged to the top", cell(current, 11, 5, 3), 127),
    ("row 0 channel stepped from 10 to 11", row_byte(current, 0, 1), 10),
    ("row 5 channel stepped from 1 to 2", row_byte(current, 5, 1), 1),
    ("row 11 channel stepped from 1 to 2", row_byte(current, 11, 1), 1),
    ("pattern 5 marked used", chunk[4 * PATTERN + 4657], 1),
    ("pattern 5 holds the stroke", cell(4 * PATTERN, 11, 4, 1), 0x90),
]
bad = 0
for what, got, want in checks:
    ok = got == want
    bad += not ok
    print(("ok  " if ok else "FAIL"), what, "=", got, "" if ok else f"(wanted {want})")
sys.exit(1 if bad else 0)
PY

# The stored pattern's button turned to the used colour (drawn at opacity 200).
got=$(convert "$work/shot.png" -crop "1x1+$((637 * scale / 100))+$((83 * scale / 100))" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-Fa-f]\{6\}' | head -1)
/usr/bin/python3 -c "
import sys
got, want = sys.argv[1], '#80A888'
d = max(abs(int(got[i:i+2], 16) - int(want[i:i+2], 16)) for i in (1, 3, 5))
print(('ok  ' if d <= 24 else 'FAIL'), 'button 5 shows a used pattern:', got)
sys.exit(0 if d <= 24 else 1)" "$got" || failed=1
exit $failed
