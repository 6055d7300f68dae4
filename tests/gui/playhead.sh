#!/usr/bin/env bash
# The playhead in pictures of the real editor window (run under
# xvfb-run.sh): the host's screenshot taken while a known step plays shows
# the frame colour in that step's column of the note grid, on all 12 rows,
# and in no other cell; taken after the transport stopped, in none. The
# pictures are kept in ARTIFACTS when it is set.
#   playhead.sh HOST PLUGIN
#   playhead.sh --wine BITS HOST.exe PLUGIN.dll
# Under Wine the host runs in the directory of the plug-in.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=${ARTIFACTS:-$work}
mkdir -p "$artifacts"
if [ "$1" = --wine ]; then
  cd "$(dirname "$4")" || exit 1
  run=("$here/../../scripts/wine-run.sh" "$2" "./$(basename "$3")")
  plugin=./$(basename "$4")
else
  run=("$1")
  plugin=$2
  cd "$work" || exit 1
fi
failed=0
fail() { echo "FAIL $*"; failed=1; }

# shoot NAME OPTIONS...: the host's screenshot with OPTIONS, as $work/NAME.
shoot() {
  local name=$1; shift
  "${run[@]}" screenshot "$@" "$plugin" "$name" >"$work/host.out" 2>&1 || return 1
  [ "$PWD" -ef "$work" ] || mv "$name" "$work/"
  [ "$artifacts" -ef "$work" ] || cp "$work/$name" "$artifacts/"
}

# "STEP ROW" of every note grid cell in which the frame colour #E8A33C
# shows; the grid's cells start at 99,30 in the editor, 16 pixels apart.
framed_cells() {
  convert "$1" -crop 512x192+99+30 +repage -depth 8 txt:- |
    awk 'toupper(substr($3, 1, 7)) == "#E8A33C" {
           split($1, at, /[,:]/); print int(at[1] / 16), int(at[2] / 16) }' | sort -u -k1,1n -k2,2n
}

for step in 0 13 31; do
  if ! shoot "playhead-step-$step.png" --at-step "$step"; then
    fail "screenshot at step $step:"; cat "$work/host.out"; continue
  fi
  cells=$(framed_cells "$work/playhead-step-$step.png")
  columns=$(echo "$cells" | awk 'NF { print $1 }' | sort -un | tr '\n' ' ')
  rows=$(echo "$cells" | awk -v s="$step" '$1 == s' | wc -l)
  if [ "$columns" = "$step " ] && [ "$rows" -eq 12 ]; then
    echo "ok   step $step: the frame in column $step on all 12 rows, nowhere else"
  else
    fail "step $step: framed columns '$columns', $rows rows of column $step"
  fi
done

if shoot playhead-stopped.png --at-step 13 --stop; then
  cells=$(framed_cells "$work/playhead-stopped.png")
  if [ -z "$cells" ]; then
    echo "ok   stopped after step 13: no frame"
  else
    fail "stopped after step 13, still framed: $(echo "$cells" | tr '\n' ';')"
  fi
else
  fail "screenshot after the stop:"; cat "$work/host.out"
fi
exit $failed
