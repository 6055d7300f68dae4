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
exit $failed
