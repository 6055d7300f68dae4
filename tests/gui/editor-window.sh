#!/usr/bin/env bash
# The plug-in's editor in a real window (run under xvfb-run.sh): the host
# opens it as a child of its own top-level window, first for its screenshot
# command, then for the running editor, of whose screen ImageMagick takes a
# picture. Both pictures are probed and kept in ARTIFACTS.
#   editor-window.sh ARTIFACTS HOST PLUGIN
#   editor-window.sh ARTIFACTS --wine BITS HOST.exe PLUGIN.dll
# Under Wine the programs run in the directory of the plug-in.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
artifacts=$1; shift
mkdir -p "$artifacts"
rm -f "$artifacts"/editor*.png
if [ "$1" = --wine ]; then
  bits=$2 host=$(basename "$3") plugin=$(basename "$4")
  cd "$(dirname "$4")" || exit 1
  run=("$here/../../scripts/wine-run.sh" "$bits" "./$host")
  plugin=./$plugin
  shot=editor-screenshot.png
  wait_window=120
else
  run=("$1")
  plugin=$2
  shot=$artifacts/editor-screenshot.png
  wait_window=20
fi
failed=0

echo "== screenshot command"
"${run[@]}" screenshot --store 21 "$plugin" "$shot" || failed=1
[ "$shot" = "$artifacts/editor-screenshot.png" ] || mv "$shot" "$artifacts/" 2>/dev/null
"$here/probe-editor.sh" "$artifacts/editor-screenshot.png" 0 0 || failed=1

# The 32-bit Windows build starts slowly under emulation: one run is enough.
if [ "${bits:-}" != 32 ]; then
  echo "== running editor, pictured from the screen"
  "${run[@]}" editor --store 21 --for 8 "$plugin" &
  editor=$!
  if window=$(timeout "$wait_window" xdotool search --sync --name "Quaverlin editor" | head -1) &&
     [ -n "$window" ]; then
    sleep 2
    import -window root "$artifacts/editor-screen.png"
    # Where the window's client area lies on the screen.
    read -r x0 y0 < <(xwininfo -id "$window" |
      awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')
    echo "editor window at $x0,$y0"
    "$here/probe-editor.sh" "$artifacts/editor-screen.png" "$x0" "$y0" || failed=1
  else
    echo "FAIL the editor's window did not appear"
    failed=1
  fi
  wait $editor || { echo "FAIL the editor command ended with an error"; failed=1; }
fi
exit $failed
