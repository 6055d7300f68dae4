#!/usr/bin/env bash
# Dragging the MIDI file out of the editor onto the host that holds it (run
# under xvfb-run.sh): the one-thread host must receive the file's URI, and
# none of its idle calls may keep it waiting over 50 ms meanwhile.
#   one-thread-host.sh HOST_PROGRAM PLUGIN
set -uo pipefail
host=$1 plugin=$2
work=$(mktemp -d)
export TMPDIR=$work
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL $*"; failed=1; }

# The machine running the tests may be busy with other work: the host and
# its X server run ahead of it, so what is timed is the editor's waiting,
# not the scheduler's.
renice -n -10 -p "$(pgrep -o -f "Xvfb $DISPLAY ")" >/dev/null 2>&1

# The drag-out button at 681,39; the host's drop zone at 800,60 (160 x 160).
nice -n -10 "$host" "$plugin" 20 >"$work/host.out" 2>&1 &
host_pid=$!
for _ in $(seq 100); do grep -q ready "$work/host.out" && break; sleep 0.1; done
grep -q ready "$work/host.out" || fail "the host did not start: $(cat "$work/host.out")"
sleep 0.5
xdotool mousemove 681 39
sleep 0.3
xdotool mousedown 1
sleep 0.2
# At a hand's pace: 5 px every 10 ms, across the editor and into the zone.
for x in $(seq 686 5 880); do xdotool mousemove "$x" $((39 + (x - 681) / 2)); sleep 0.01; done
sleep 0.3
xdotool mouseup 1
wait $host_pid || fail "the host says so"
cat "$work/host.out"
uri=$(sed -n 's/^dropped //p' "$work/host.out" | tr -d '\r')
[ "$uri" = "file://$work/QVMidi.mid" ] || fail "dropped '$uri', wanted file://$work/QVMidi.mid"
[ $failed = 0 ] && echo "ok   the one-thread host received the drop"
exit $failed
