#!/usr/bin/env bash
# The Windows editor at each scale under Wine (run under xvfb-run.sh): with
# APPDATA pointing at a fresh folder whose settings name 100, 150 or 200 %,
# the host's screenshot has exactly the scaled size; with no settings the
# editor opens at the screen's 96 dpi, full size. Pictures go to ARTIFACTS.
#   wine-scales.sh ARTIFACTS HOST.exe PLUGIN.dll   (64-bit builds)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
artifacts=$1
mkdir -p "$artifacts"
cd "$(dirname "$3")" || exit 1
host=./$(basename "$2") plugin=./$(basename "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

for scale_size in 100:746x321 150:1119x482 200:1492x642 none:746x321; do
  scale=${scale_size%%:*} want=${scale_size#*:}
  appdata=$work/$scale
  mkdir -p "$appdata"
  if [ "$scale" != none ]; then
    mkdir -p "$appdata/Quaverlin"
    printf 'scale=%s\r\n' "$scale" >"$appdata/Quaverlin/settings.ini"
  fi
  shot=wine-scale-$scale.png
  # Wine sets APPDATA from its prefix whatever the Unix environment says: a
  # batch file sets it for the host. Wine sees the Unix root as drive Z:.
  printf '@set APPDATA=Z:%s\r\n@%s screenshot %s %s\r\n@exit /b %%ERRORLEVEL%%\r\n' \
    "${appdata//\//\\}" "${host#./}" "${plugin#./}" "$shot" >"$work/run.bat"
  "$here/../../scripts/wine-run.sh" 64 cmd /c "Z:${work//\//\\}\\run.bat" >"$work/out" 2>&1
  got=$(identify -format '%wx%h' "$shot" 2>/dev/null || echo none)
  mv -f "$shot" "$artifacts/" 2>/dev/null
  if [ "$got" = "$want" ]; then
    echo "ok   settings '$scale': $got"
  else
    echo "FAIL settings '$scale': $got, wanted $want"; cat "$work/out"; failed=1
  fi
done

echo "== the 200 % button of the about page"
appdata=$work/clicked
mkdir -p "$appdata"
printf '@set APPDATA=Z:%s\r\n@%s editor --for 40 %s\r\n' "${appdata//\//\\}" "${host#./}" \
  "${plugin#./}" >"$work/editor.bat"
"$here/../../scripts/wine-run.sh" 64 cmd /c "Z:${work//\//\\}\\editor.bat" >"$work/editor.out" 2>&1 &
editor=$!
size_of() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
if window=$(timeout 120 xdotool search --sync --name "Quaverlin editor" | head -1) &&
   [ -n "$window" ]; then
  sleep 3
  read -r x0 y0 < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')
  before=$(size_of "$window")
  xdotool mousemove $((x0 + 53)) $((y0 + 295)) click 1   # About
  sleep 1.5
  xdotool mousemove $((x0 + 584)) $((y0 + 89)) click 1   # 200%
  sleep 3
  after=$(size_of "$window")
  remembered=$(tr -d '\r' <"$appdata/Quaverlin/settings.ini" 2>/dev/null)
  if [ "$before $after $remembered" = "746x321 1492x642 scale=200" ]; then
    echo "ok   the host's window went from $before to $after, $remembered remembered"
  else
    echo "FAIL the host's window went from $before to $after, '$remembered' remembered"; failed=1
  fi
else
  echo "FAIL the editor's window did not appear"; failed=1
fi
wait $editor
exit $failed
