#!/usr/bin/env bash
# Undo and redo in a real window (run under xvfb-run.sh): xdotool makes five
# edits (a stroke, a lane drag, a store, a clear, a recall) with the
# transport running, and the chunk the host saves as it ends must be:
#   - after every edit taken back by Ctrl+Z: the chunk of a session without
#     edits, byte for byte;
#   - after each edit followed at once by Ctrl+Z and Ctrl+Shift+Z (or
#     Ctrl+Y): the chunk of a session with the same edits and no keys;
#   - after all five taken back and redone: that same chunk.
#   undo-keys.sh HOST PLUGIN
set -uo pipefail
host=$1 plugin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL $*"; failed=1; }

cell_x() { echo $((104 + 16 * $1)); }
cell_y() { echo $((35 + 16 * $1)); }
drag() {  # drag BUTTON X0 Y0 X1 Y1 ...: press at the first point, release at the last
  local button=$1; shift
  xdotool mousemove "$1" "$2" mousedown "$button"; shift 2
  sleep 0.2
  while [ $# -gt 0 ]; do xdotool mousemove "$1" "$2"; shift 2; sleep 0.15; done
  xdotool mouseup "$button"
  sleep 0.4
}
click() { xdotool mousemove "$2" "$3" click "$1"; sleep 0.5; }

# The five edits. The editor opens on the host's demo pattern, whose row 11 is empty.
edit_1() { drag 1 "$(cell_x 4)" "$(cell_y 11)" "$(cell_x 5)" "$(cell_y 11)" "$(cell_x 6)" "$(cell_y 11)"; }
edit_2() { drag 1 172 300 172 290 172 262; }   # step 4's velocity in row 11's lane
edit_3() { click 3 645 91; }                     # store into pattern 5
edit_4() { click 1 681 212; }                    # clear
edit_5() { click 1 645 91; }                     # recall pattern 5, at the next step
key() {  # over the window's background, which the keys then reach
  xdotool mousemove 300 12
  sleep 0.1
  xdotool key "$1"
  sleep 0.5
}

session() {  # session NAME STEP...: a step is an edit's number or a key
  local name=$1; shift
  "$host" editor --for 60 --save-chunk "$work/$name.bin" "$plugin" >"$work/$name.out" 2>&1 &
  local pid=$!
  timeout 20 xdotool search --sync --name "Quaverlin editor" >/dev/null || fail "$name: no editor window"
  sleep 1
  for step in "$@"; do
    case $step in
      [0-9]) "edit_$step" ;;
      *) key "$step" ;;
    esac
  done
  kill -TERM $pid
  wait $pid || fail "$name: the host failed: $(cat "$work/$name.out")"
  [ -s "$work/$name.bin" ] || fail "$name: no chunk saved"
}

same() {  # same WHAT A B
  if cmp -s "$work/$2.bin" "$work/$3.bin"; then
    echo "ok   $1"
  else
    fail "$1: $(cmp -l "$work/$2.bin" "$work/$3.bin" | wc -l) bytes differ between $2 and $3"
  fi
}

session untouched
session edited 1 2 3 4 5
session undone 1 2 3 4 5 ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z
session each-redone 1 ctrl+z ctrl+shift+z 2 ctrl+z ctrl+y 3 ctrl+z ctrl+shift+z \
  4 ctrl+z ctrl+shift+z 5 ctrl+z ctrl+shift+z
session all-redone 1 2 3 4 5 ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z \
  ctrl+shift+z ctrl+shift+z ctrl+shift+z ctrl+shift+z ctrl+shift+z

if cmp -s "$work/untouched.bin" "$work/edited.bin"; then fail "the edits changed nothing"; fi
same "five edits taken back give the untouched chunk" untouched undone
same "each edit undone and redone at once gives the edited chunk" edited each-redone
same "five edits taken back and redone give the edited chunk" edited all-redone
exit $failed
