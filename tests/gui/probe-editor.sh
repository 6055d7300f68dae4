#!/usr/bin/env bash
# Pixel probes of a picture of the editor opened on the host's demo pattern
# with that pattern also stored as pattern 21 (--store 21), the editor's
# top-left corner at X0,Y0 in the picture. Prints every probe; fails if one
# misses.
#   probe-editor.sh PICTURE.png X0 Y0
set -uo pipefail
picture=$1 x0=$2 y0=$3
failed=0

pixel() {
  convert "$picture" -crop "1x1+$(($1 + x0))+$(($2 + y0))" -depth 8 txt:- | tail -1 |
    grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}

# probe WHAT X Y #RRGGBB TOLERANCE: every channel within TOLERANCE.
probe() {
  local what=$1 x=$2 y=$3 want=$4 tolerance=$5 got
  got=$(pixel "$x" "$y")
  local ok=1 i
  for i in 1 3 5; do
    local a=$((16#${got:$i:2})) b=$((16#${want:$i:2}))
    local d=$((a > b ? a - b : b - a))
    [ "$d" -le "$tolerance" ] || ok=0
  done
  if [ $ok = 1 ]; then
    echo "ok   $what at $x,$y: $got"
  else
    echo "FAIL $what at $x,$y: $got, wanted $want (within $tolerance)"
    failed=1
  fi
}

# The note grid: row 0 step 0 is a set cell ('Step Note'), step 1 beside it
# is empty; row 4 step 1 ties to step 0 ('Link Note').
probe "set cell, row 0 step 0" 104 35 "#959A8F" 0
probe "empty cell, row 0 step 1" 120 35 "#C0C6BB" 0
probe "tie cell, row 4 step 1" 122 99 "#80A888" 0
probe "grid panel above the cells" 104 29 "#B7BEB1" 0
# Pattern buttons (drawn at opacity 200 over the background): "22" is
# pattern 21, used, in its own blue; "21" is unused.
probe "button 22, pattern 21 used" 660 175 "#7C9EF8" 24
probe "button 21, pattern 20 unused" 637 175 "#A8B0A0" 24
# The velocity lane of row 0: step 0 has velocity 120, a bar 60 of 64 high
# from the bottom of the gauge at y 241; step 1 is not set.
probe "velocity bar of step 0" 108 300 "#64695F" 0
probe "top of that bar" 108 245 "#64695F" 0
probe "above that bar" 108 244 "#C0C6BB" 0
probe "empty gauge of step 1" 124 300 "#C0C6BB" 0
exit $failed
