#!/usr/bin/env bash
# Dragging the MIDI file out of the editor on Linux (run under xvfb-run.sh):
# xdotool presses the editor's drag-out button and drags to an XDND target
# of our own, which must receive the file's URI; the file is read back with
# Debian's mido. Then a drag released over no target and one ended with Escape must
# drop nothing, and the editor must still close normally.
# A failing export must show its message over the editor instead.
#   [ARTIFACTS=DIR] drag-out.sh HOST PLUGIN XDND_TARGET
set -uo pipefail
host=$1 plugin=$2 target=$3
work=$(mktemp -d)
export TMPDIR=$work
failed=0
fail() { echo "FAIL $*"; failed=1; }

# The drag-out button lies at 625,29 (113 x 21) in the editor.
button_x=681 button_y=39

start_target() {
  "$target" 800 300 200 200 15 >"$work/target.out" 2>&1 &
  target_pid=$!
  for _ in $(seq 50); do grep -q ready "$work/target.out" && return; sleep 0.1; done
  fail "the drop target did not start"
}

drag() {  # drag from the button to X Y, then end with the key or release given
  local x=$1 y=$2 ending=$3
  xdotool mousemove $button_x $button_y
  sleep 0.3
  xdotool mousedown 1
  sleep 0.6  # the host idles the editor, which writes the file and starts the drag
  for step in 1 2 3 4 5 6; do
    xdotool mousemove $((button_x + (x - button_x) * step / 6)) $((button_y + (y - button_y) * step / 6))
    sleep 0.15
  done
  sleep 0.3
  if [ "$ending" = escape ]; then
    xdotool key Escape
    sleep 0.3
  fi
  xdotool mouseup 1
  sleep 0.6
}

"$host" editor --for 25 "$plugin" >"$work/host.out" 2>&1 &
host_pid=$!
timeout 20 xdotool search --sync --name "Quaverlin editor" >/dev/null || fail "no editor window"
sleep 1

echo "== drag onto the target"
start_target
drag 900 400 release
if wait $target_pid; then
  uri=$(sed -n 's/^dropped //p' "$work/target.out" | tr -d '\r')
  echo "target received: $uri"
  [ "$uri" = "file://$work/QVMidi.mid" ] || fail "dropped URI $uri, wanted file://$work/QVMidi.mid"
  /usr/bin/python3 -c "import mido, sys; f = mido.MidiFile(sys.argv[1]); print('QVMidi.mid: format', f.type, 'tracks', len(f.tracks), 'ticks', f.ticks_per_beat); sys.exit(0 if f.ticks_per_beat == 960 and len(f.tracks) > 1 else 1)" \
    "$work/QVMidi.mid" || fail "QVMidi.mid does not read back"
else
  cat "$work/target.out"
  fail "the target received no drop"
fi

echo "== drag released over no target, then one ended with Escape over the target"
start_target
drag 400 600 release
drag 900 400 escape
sleep 0.5
if grep -q dropped "$work/target.out"; then fail "a cancelled drag dropped: $(cat "$work/target.out")"; else echo "ok   nothing dropped"; fi
# The Escape drag did reach the target before it was cancelled.
if grep -q "entered with text/uri-list" "$work/target.out" && grep -q left "$work/target.out"; then
  echo "ok   the Escape drag entered the target with the URI list and left it"
else
  fail "the Escape drag never reached the target: $(cat "$work/target.out")"
fi
kill $target_pid 2>/dev/null
wait $target_pid 2>/dev/null

wait $host_pid || fail "the editor command ended with an error: $(cat "$work/host.out")"

echo "== a file that cannot be created: a message over the editor until the next click"
centre() {  # the colour at the middle of the editor
  import -window root -crop 1x1+373+160 -depth 8 txt:- | tail -1 | grep -o '#[0-9A-F]\{6\}' | head -1
}
TMPDIR=$work/missing "$host" editor --for 12 "$plugin" >"$work/host.out" 2>&1 &
host_pid=$!
timeout 20 xdotool search --sync --name "Quaverlin editor" >/dev/null || fail "no editor window"
sleep 1
before=$(centre)
xdotool mousemove $button_x $button_y click 1
sleep 0.8
shown=$(centre)
mkdir -p "${ARTIFACTS:-$work}" && import -window root "${ARTIFACTS:-$work}/editor-message.png"
xdotool mousemove 373 160 click 1
sleep 0.8
after=$(centre)
echo "middle of the editor: $before, with the message $shown, after a click $after"
[ "$shown" = "#F4F4EC" ] || fail "no message over the editor"
[ "$after" = "$before" ] || fail "the message stayed after the click"
[ -e "$work/missing/QVMidi.mid" ] && fail "a file was written"
wait $host_pid || fail "the editor command ended with an error: $(cat "$work/host.out")"
[ $failed = 0 ] && echo "ok   drag-out"
rm -rf "$work"
exit $failed
