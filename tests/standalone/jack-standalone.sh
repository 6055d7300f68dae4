#!/usr/bin/env bash
# quaverlin as a JACK client, on a JACK server of this test's own (dummy
# driver, a name no user's server has), its MIDI port read by
# jack_midi_dump:
#   1. quaverlin leads the transport (no other master); jack_transport
#      rolls it from the start and stops it;
#   2. a timebase master at another tempo leads, quaverlin follows;
#   3. quaverlin starts the transport itself (--play) and Ctrl+C ends it
#      while it plays;
#   4. with a window (when DISPLAY is set: run under xvfb-run.sh): space
#      starts and stops, Ctrl+S saves an edit, closing the window ends it;
#   5. a damaged pattern file: the demo plays, the file is left alone;
#   6. the server goes away under a playing quaverlin, which saves a .fxp.
# What arrived is compared with what the pattern plays in the substitute
# host (check-midi-dump.py); each run must end by itself, exit 0 and save
# the patterns it was given. The server is killed at the end whatever
# happens.
#   jack-standalone.sh QUAVERLIN QUAVERLIN-HOST TIMEBASE-MASTER [WM-CLOSE]
set -euo pipefail
quaverlin=$1 host=$2 master=$3 wm_close=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
plugin=$(dirname "$quaverlin")/Quaverlin.so
work=$(mktemp -d)
export JACK_DEFAULT_SERVER=quaverlin-test-$$-$RANDOM
rate=48000
jackd_pid=""
helpers=()

cleanup() {
  local pid
  for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$jackd_pid" ] && kill "$jackd_pid" 2>/dev/null; then
    timeout 5 tail --pid="$jackd_pid" -f /dev/null || kill -9 "$jackd_pid" 2>/dev/null || true
  fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done
  exit 1
}

start_server() {
  # Synchronous: a client that is late on a loaded machine delays the cycle
  # instead of missing it, so the transport never jumps under it.
  jackd -n "$JACK_DEFAULT_SERVER" --no-realtime --sync --timeout 5000 -d dummy -r $rate -p 256 >"$work/jackd.log" 2>&1 &
  jackd_pid=$!
  timeout 10 jack_wait -w >/dev/null || fail "the JACK server did not start"
}

transport() { jack_transport <<<"$1" >/dev/null 2>&1; }

# Waits until the program's log says its port is there.
wait_for_port() {
  local log=$1 tries
  for tries in $(seq 100); do
    grep -q "^MIDI out:" "$log" && return 0
    sleep 0.1
  done
  fail "quaverlin did not come up"
}

# Ends quaverlin (pid $1) with Ctrl+C and checks that it exits cleanly in time.
interrupt() {
  local pid=$1 status=0
  kill -INT "$pid"
  timeout 10 tail --pid="$pid" -f /dev/null || fail "quaverlin did not end after Ctrl+C"
  wait "$pid" || status=$?
  [ $status = 0 ] || fail "quaverlin ended with status $status"
}

# The dump client NAME, started before quaverlin so that --connect finds it.
start_dump() {
  stdbuf -oL jack_midi_dump -a "$1" >"$work/$1.txt" 2>&1 &
  helpers+=($!)
  local tries
  for tries in $(seq 100); do
    jack_lsp | grep -qx "$1:input" && return 0
    sleep 0.1
  done
  fail "jack_midi_dump did not come up"
}

reference() {  # TEMPO: the substitute host's playing of the chunk from the song's start
  "$host" play --chunk "$work/straight.qvc" --rate $rate --block 256 --tempo "$1" --bars 8 \
    --out "$work/reference.mid" "$plugin" >"$work/reference-$1.txt"
}

check() {  # DUMP TEMPO
  reference "$2"
  python3 "$here/check-midi-dump.py" "$work/$1.txt" "$work/reference-$2.txt" \
    "$(python3 -c "print($rate * 60 / $2 / 4)")" || fail "$1: not what the pattern plays"
}

saved_unchanged() {  # CHUNK
  "$host" chunk compare "$work/straight.qvc" "$1" >/dev/null || fail "$1 was not saved as it was played"
}

"$host" chunk demo --straight "$work/straight.qvc"
start_server

echo "1. quaverlin leads, jack_transport rolls and stops"
cp "$work/straight.qvc" "$work/one.qvc"
start_dump leading
"$quaverlin" --no-editor --chunk "$work/one.qvc" --connect leading:input >"$work/one.log" 2>&1 &
pid=$!
helpers+=($pid)
wait_for_port "$work/one.log"
grep -q "leads JACK's transport" "$work/one.log" || fail "quaverlin does not lead with no other master"
transport "locate 0"
transport play
sleep 3
transport stop
sleep 0.5
interrupt $pid
! grep -q "follows" "$work/one.log" || fail "quaverlin lost the lead with no other master"
check leading 120
saved_unchanged "$work/one.qvc"

echo "2. a timebase master at 100 BPM leads, quaverlin follows"
transport "locate 0"
sleep 0.3
"$master" 100 >"$work/master.log" 2>&1 &
master_pid=$!
helpers+=($master_pid)
for tries in $(seq 100); do grep -q leading "$work/master.log" && break; sleep 0.1; done
start_dump following
"$quaverlin" --no-editor --chunk "$work/one.qvc" --connect following:input >"$work/two.log" 2>&1 &
pid=$!
helpers+=($pid)
wait_for_port "$work/two.log"
grep -q "follows JACK's timebase master" "$work/two.log" || fail "quaverlin does not follow the master"
transport play
sleep 3
transport stop
sleep 0.5
interrupt $pid
check following 100
kill $master_pid
wait $master_pid || fail "the timebase master did not end cleanly"

echo "3. quaverlin starts the transport itself; Ctrl+C while it plays"
transport "locate 0"
start_dump playing
"$quaverlin" --no-editor --play --bpm 140 --chunk "$work/one.qvc" --connect playing:input \
  >"$work/three.log" 2>&1 &
pid=$!
helpers+=($pid)
wait_for_port "$work/three.log"
grep -q "leads JACK's transport at 140 BPM" "$work/three.log" || fail "quaverlin does not lead again"
sleep 3
interrupt $pid
check playing 140
saved_unchanged "$work/one.qvc"

if [ -n "${DISPLAY:-}" ] && [ -n "$wm_close" ]; then
  echo "4. the window: space starts and stops, Ctrl+S saves, closing it ends the program"
  transport stop  # quaverlin left it rolling as it found it
  transport "locate 0"
  cp "$work/straight.qvc" "$work/five.qvc"
  start_dump windowed
  "$quaverlin" --chunk "$work/five.qvc" --connect windowed:input >"$work/five.log" 2>&1 &
  pid=$!
  helpers+=($pid)
  window=$(timeout 20 xdotool search --sync --name "^Quaverlin$" | head -1)
  [ -n "$window" ] || fail "no quaverlin window"
  sleep 0.5
  # Keys go to the editor under the pointer; the program hears them too.
  xdotool mousemove 300 150 key space
  sleep 3
  xdotool key space
  sleep 0.5
  check windowed 120
  xdotool mousemove 104 211 click 1  # sets a cell: row 12, step 1
  sleep 0.3
  xdotool mousemove 300 150 key ctrl+s
  for tries in $(seq 50); do grep -q "patterns saved" "$work/five.log" && break; sleep 0.1; done
  grep -q "patterns saved" "$work/five.log" || fail "Ctrl+S saved nothing"
  ! "$host" chunk compare "$work/straight.qvc" "$work/five.qvc" >/dev/null || fail "the edit was not saved"
  "$wm_close" "$window"
  timeout 10 tail --pid="$pid" -f /dev/null || fail "quaverlin did not end when its window closed"
  status=0
  wait "$pid" || status=$?
  [ $status = 0 ] || fail "quaverlin ended with status $status when its window closed"
else
  echo "4. skipped: no X display (run under xvfb-run.sh)"
fi

echo "5. a damaged pattern file is reported and left alone"
head -c 5000 "$work/straight.qvc" >"$work/short.qvc"
cp "$work/short.qvc" "$work/short-before.qvc"
"$quaverlin" --no-editor --chunk "$work/short.qvc" >"$work/short.log" 2>&1 &
pid=$!
helpers+=($pid)
wait_for_port "$work/short.log"
interrupt $pid
grep -q "holds 5000 bytes" "$work/short.log" || fail "no word about the short file"
grep -q "left as it was" "$work/short.log" || fail "no word that the short file is kept"
cmp -s "$work/short.qvc" "$work/short-before.qvc" || fail "the short file was overwritten"

echo "6. the server goes away while quaverlin plays"
"$quaverlin" --no-editor --play --chunk "$work/four.fxp" >"$work/four.log" 2>&1 &
pid=$!
helpers+=($pid)
wait_for_port "$work/four.log"
sleep 1
kill "$jackd_pid"
status=0
timeout 10 tail --pid="$pid" -f /dev/null || fail "quaverlin did not end with the server gone"
wait "$pid" || status=$?
[ $status = 0 ] || fail "quaverlin ended with status $status when the server went away"
grep -q "JACK server went away" "$work/four.log" || fail "quaverlin did not say the server went away"
[ "$(stat -c %s "$work/four.fxp" 2>/dev/null)" = $((60 + 121160)) ] && [ "$(head -c 4 "$work/four.fxp")" = CcnK ] ||
  fail "the patterns were not saved as a program file"
echo "PASS"
