#!/usr/bin/env bash
# Dragging the MIDI file out of the Windows editor under Wine (run under
# xvfb-run.sh): xdotool presses the drag-out button of the editor in the
# host's window and drags to a window of our own registered with
# RegisterDragDrop, which must receive QVMidi.mid. Both programs share one
# wineserver, stopped at the end; their output goes to files, never pipes.
#   ole-drag.sh HOST.exe PLUGIN.dll OLE_DROP_TARGET.exe   (64-bit builds)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
cd "$(dirname "$2")" || exit 1
host=./$(basename "$1") plugin=./$(basename "$2")
target=$(basename "$3")
[ "$(dirname "$3")" -ef . ] || cp "$3" .
work=$(mktemp -d)
failed=0
fail() { echo "FAIL $*"; failed=1; }

"$WINE64" "./$target" 800 400 200 200 45 >"$work/target.out" 2>&1 </dev/null &
target_pid=$!
"$WINE64" "$host" editor --for 35 "$plugin" >"$work/host.out" 2>&1 </dev/null &
host_pid=$!
window=$(timeout 90 xdotool search --sync --name "Quaverlin editor" | head -1)
timeout 60 xdotool search --sync --name "ole drop target" >/dev/null || fail "no drop target window"
if [ -z "$window" ]; then
  fail "no editor window"
else
  read -r x0 y0 < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')
  sleep 2
  # From the drag-out button (625,29, 113 x 21 in the editor) to the target.
  bx=$((x0 + 681)) by=$((y0 + 39))
  xdotool mousemove $bx $by
  sleep 0.5
  xdotool mousedown 1
  sleep 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((bx + (900 - bx) * step / 8)) $((by + (500 - by) * step / 8))
    sleep 0.3
  done
  sleep 0.5
  xdotool mouseup 1
fi
wait $target_pid
cat "$work/target.out"
grep -q '^dropped .*QVMidi\.mid' "$work/target.out" || fail "the drop target received no QVMidi.mid"
wait $host_pid || fail "the editor command ended with an error: $(cat "$work/host.out")"
wineserver -k >/dev/null 2>&1 </dev/null
rm -rf "$work"
[ $failed = 0 ] && echo "ok   OLE drag-out"
exit $failed
