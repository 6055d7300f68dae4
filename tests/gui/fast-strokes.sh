#!/usr/bin/env bash
# Strokes across the note grid at the speed of a hand (run under
# xvfb-run.sh), each in a row of its own on an empty pattern: the chunk the
# host saves must show exactly the cells each stroke crossed, none it
# missed between two pointer samples and none the pointer passed after the
# button went up. At SCALE percent the same points of the editor are hit
# (at-scale.sh).
#   [SCALE=PERCENT] fast-strokes.sh HOST PLUGIN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
host=$1 plugin=$2
. "$here/at-scale.sh"
work=$(mktemp -d)
trap 'rm -rf "$work" "$XDG_CONFIG_HOME"' EXIT
failed=0
fail() { echo "FAIL $*"; failed=1; }

cell_y() { echo $((35 + 16 * $1)); }  # the middle of ROW
# xdotool arguments that move along y from x FROM to TO in steps of DX
# pixels, one every PAUSE seconds.
sweep() {  # sweep Y FROM TO DX PAUSE
  local y=$1 x=$2 to=$3 dx=$4 pause=$5 args=()
  while { [ "$dx" -gt 0 ] && [ "$x" -le "$to" ]; } || { [ "$dx" -lt 0 ] && [ "$x" -ge "$to" ]; }; do
    args+=(mousemove "$x" "$y" sleep "$pause")
    x=$((x + dx))
  done
  echo "${args[@]}"
}

"$here/empty-chunk.py" "$work/empty.bin"
"$host" editor --for 60 --chunk "$work/empty.bin" --save-chunk "$work/chunk.bin" "$plugin" \
  >"$work/host.out" 2>&1 &
host_pid=$!
timeout 20 xdotool search --sync --name "Quaverlin editor" >/dev/null || fail "no editor window"
sleep 1

# Row 0, as the issue reported it: two samples after the press, then the
# pointer leaves far away with the button up.
xdotool mousemove 107 38 sleep 0.3 mousedown 1 mousemove 123 38 mousemove 139 38 mouseup 1 \
  mousemove 427 182
sleep 0.5
# Row 3 at 600 px/s: 3 px every 5 ms from step 0 to step 5, released, on to step 10.
y=$(cell_y 3)
xdotool mousemove 107 "$y" sleep 0.3 mousedown 1 $(sweep "$y" 110 190 3 0.005) mouseup 1 \
  $(sweep "$y" 193 267 3 0.005)
sleep 0.5
# Row 5 at 1600 px/s: 32 px every 20 ms from step 0 to step 16, samples in every other cell.
y=$(cell_y 5)
xdotool mousemove 104 "$y" sleep 0.3 mousedown 1 $(sweep "$y" 136 360 32 0.02) mouseup 1 \
  $(sweep "$y" 392 600 32 0.02)
sleep 0.5
# Row 5 again, the right button at 1600 px/s back from step 12 to step 4: cleared.
xdotool mousemove 296 "$y" sleep 0.3 mousedown 3 $(sweep "$y" 264 168 -32 0.02) mouseup 3 \
  $(sweep "$y" 136 40 -32 0.02)
sleep 0.5
# Row 7: a press followed at once by a drag, no pause anywhere.
y=$(cell_y 7)
xdotool mousemove 107 "$y" mousedown 1 mousemove 123 "$y" mousemove 139 "$y" mousemove 155 "$y" \
  mouseup 1 mousemove 500 300
sleep 0.5
# Row 9 at 1600 px/s along a slant from step 2 of row 8 to step 14 of row 10.
xdotool mousemove 136 163 sleep 0.3 mousedown 1 mousemove 168 169 sleep 0.02 mousemove 200 175 \
  sleep 0.02 mousemove 232 181 sleep 0.02 mousemove 264 187 sleep 0.02 mouseup 1
sleep 0.5
kill -TERM $host_pid  # the host saves the chunk as it ends
wait $host_pid || fail "the host failed: $(cat "$work/host.out")"
[ -s "$work/chunk.bin" ] || { fail "no chunk saved"; exit 1; }

/usr/bin/python3 - "$work/chunk.bin" <<'PY' || failed=1
import sys
chunk = open(sys.argv[1], "rb").read()
PATTERN, ROW, STEP = 4660, 388, 12
current = 24 * PATTERN
def is_set(row, step):
    return chunk[current + row * ROW + 4 + step * STEP + 1] == 0x90
wanted = {
    0: set(range(0, 3)),
    3: set(range(0, 6)),
    5: set(range(0, 4)) | set(range(13, 17)),
    7: set(range(0, 4)),
}
bad = 0
for row in range(12):
    got = {step for step in range(32) if is_set(row, step)}
    if row in (8, 9, 10):
        continue
    want = wanted.get(row, set())
    ok = got == want
    bad += not ok
    print(("ok  " if ok else "FAIL"), f"row {row}: set {sorted(got)}", "" if ok else f"(wanted {sorted(want)})")
# The slant: every step from 2 to 10 set in one of rows 8 to 10, nothing else there.
slant = {step for row in (8, 9, 10) for step in range(32) if is_set(row, step)}
ok = set(range(2, 11)) <= slant and slant <= set(range(2, 12))
bad += not ok
print(("ok  " if ok else "FAIL"), f"slant over rows 8-10: steps {sorted(slant)}")
sys.exit(1 if bad else 0)
PY
[ $failed = 0 ] && echo "ok   fast strokes"
exit $failed
