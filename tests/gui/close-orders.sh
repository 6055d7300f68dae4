#!/usr/bin/env bash
# The host's editor window closed every way a user or a desktop can (run
# under xvfb-run.sh): by the window manager's close request, by another
# client destroying it under the editor, and by a kill. Each time the host
# ends with status 0 and no X error, and the chunk it saves holds the cell
# the user set just before.
#   close-orders.sh HOST PLUGIN WM_CLOSE
set -uo pipefail
host=$1 plugin=$2 wm_close=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL $*"; failed=1; }

close_by() {  # close_by HOW: run the editor, set row 11 step 0, close it HOW
  local how=$1 window
  rm -f "$work/chunk.bin"
  "$host" editor --for 30 --save-chunk "$work/chunk.bin" "$plugin" >"$work/host.out" 2>&1 &
  local host_pid=$!
  window=$(timeout 20 xdotool search --sync --name "Quaverlin editor" | head -1)
  [ -n "$window" ] || { fail "$how: no editor window"; return; }
  sleep 0.5
  xdotool mousemove 104 211 click 1
  sleep 0.5
  case $how in
    wm-close) "$wm_close" "$window" ;;
    destroyed) xdotool windowclose "$window" ;;
    terminated) kill -TERM $host_pid ;;
  esac
  local rc=0
  timeout 20 tail --pid=$host_pid -f /dev/null
  wait $host_pid || rc=$?
  [ $rc = 0 ] || fail "$how: the host ended with status $rc: $(cat "$work/host.out")"
  if grep -q "X Error" "$work/host.out"; then fail "$how: $(cat "$work/host.out")"; fi
  if [ -s "$work/chunk.bin" ] &&
     /usr/bin/python3 -c "import sys; c = open(sys.argv[1], 'rb').read(); sys.exit(c[24 * 4660 + 11 * 388 + 4 + 1] != 0x90)" "$work/chunk.bin"; then
    echo "ok   $how: status 0, the chunk saved with the cell set"
  else
    fail "$how: the chunk was not saved with the cell set"
  fi
}

close_by wm-close
close_by destroyed
close_by terminated
exit $failed
