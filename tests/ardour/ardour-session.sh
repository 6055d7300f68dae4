#!/usr/bin/env bash
# A real host plays the plug-in: Debian's Ardour 7, headless (ardour7-lua with
# the Dummy backend), scans the Linux plug-in, puts it on a MIDI track of a
# new session, gives it a pattern as the VST chunk stored in the session file
# (as when a project is opened), rolls the transport, logs the MIDI the
# plug-in sends through a Lua processor placed after it, saves, reopens.
#   ardour-session.sh PLUGIN.so QUAVERLIN-HOST
# Checks: the pattern's notes arrive on the grid, every note-on is ended by a
# note-off, Ardour drops no event as out of range, and the chunk comes back
# with the same patterns after playing and byte for byte after reopening.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
plugin=$(realpath "$1")
hosttool=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/ardour-home.sh"

session=$work/session
file=$session/quaverlin.ardour
chunk_of() {  # session file -> the plug-in's chunk, decoded
  local found
  found=$(sed -n 's|.*<chunk program="[0-9]*">\([^<]*\)</chunk>.*|\1|p' "$1")
  [ "$(printf '%s\n' "$found" | grep -c .)" = 1 ] || { echo "not one chunk in $1" >&2; exit 1; }
  printf '%s' "$found" | base64 -d
}

ardour_lua create "$session" quaverlin
# Straight demo pattern: every note lies on a sixteenth of the grid.
"$hosttool" chunk demo --straight "$work/pattern.chunk"
base64 -w0 "$work/pattern.chunk" >"$work/pattern.base64"
awk -v encoded="$work/pattern.base64" '
  BEGIN { getline chunk <encoded }
  sub(/<chunk program="0">[^<]*<\/chunk>/, "<chunk program=\"0\">" chunk "</chunk>") { n++ }
  { print }
  END { if (n != 1) exit 1 }' "$file" >"$work/edited.ardour" ||
  { echo "the session file holds no chunk to replace" >&2; exit 1; }
cp "$work/edited.ardour" "$file"

# Ardour's cycles of 1024 samples then start at 752 + n * 1024: one starts
# at 54000, where the kick of step 8 ends, one frame before the block.
start=752
ardour_lua play "$session" quaverlin $start 6.5 "$work/midi.log"
grep -v "DummyMidiBuffer" "$work/play.out" || true
# Every check runs; any that fails fails the test.
failed=0
dropped=$(grep -c "not within range" "$work/play.out" || true)
if [ "$dropped" != 0 ]; then
  echo "Ardour dropped $dropped events of the plug-in as out of range" >&2
  failed=1
fi
chunk_of "$file" >"$work/played.chunk"
ardour_lua reopen "$session" quaverlin
chunk_of "$file" >"$work/reopened.chunk"

# 48 kHz at Ardour's 120 BPM: a sixteenth is 6000 samples, the pattern
# 192000. The kick (C2 on channel 10) plays steps 0, 8, 16, 24 and 27.
# Ardour 7 works the song position (ppqPos) out of bars, beats and ticks of
# 1/1920 quarter note, 12.5 samples here: a note may land up to half a tick
# (and a sample of rounding) beside its grid line.
awk -v slack=7 -v start=$start '
  function fail(why) { print why > "/dev/stderr"; failed = 1 }
  function offgrid(sample) { d = sample % 6000; return d > slack && 6000 - d > slack }
  {
    sample = $1; status = $2; kind = int(status / 16); key = (status % 16) * 128 + $3
    last = sample
    if (kind == 9 && $4 > 0) {
      ++ons
      if (offgrid(sample)) fail("note-on off the grid: " $0)
      if (sounding[key] > 0) fail("note-on on a key already sounding: " $0)
      sounding[key]++
      if (status == 153 && $3 == 36) kick[++kicks] = sample
    } else if (kind == 8 || kind == 9) {
      ++offs
      if (sounding[key] > 0) sounding[key]--
    }
  }
  END {
    for (k in sounding) if (sounding[k] > 0) fail("never ended: channel " int(k / 128) + 1 " note " k % 128)
    steps = split("0 48000 96000 144000 162000", step, " ")
    for (pass = 0; pass * 192000 < last; pass++)
      for (i = 1; i <= steps; i++)
        if (pass * 192000 + step[i] >= start && pass * 192000 + step[i] < last - slack)
          expected[++wanted] = pass * 192000 + step[i]
    for (i = 1; i <= wanted || i <= kicks; i++) {
      d = kick[i] - expected[i]
      if (i > kicks || i > wanted || d > slack || d < -slack)
        fail("kick " i " at " (i > kicks ? "none" : kick[i]) ", expected at " (i > wanted ? "none" : expected[i]))
    }
    printf "%d note-ons, %d note-offs, %d kicks where the pattern has them\n", ons, offs, kicks
    if (ons < 40) fail("too few notes for more than a pass of the pattern")
    exit failed
  }' "$work/midi.log" || failed=1

"$hosttool" chunk compare "$work/pattern.chunk" "$work/played.chunk" || failed=1
if cmp "$work/played.chunk" "$work/reopened.chunk"; then
  echo "the chunk came back byte for byte after reopening"
else
  failed=1
fi
exit $failed
