#!/usr/bin/env bash
# The editing flow of edit-strokes.sh at 100 % and again at 200 % with its
# coordinates doubled (run under xvfb-run.sh with a screen wide enough):
# each run passes its own checks and both leave the same patterns.
#   [ARTIFACTS=DIR] strokes-at-scales.sh HOST PLUGIN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
host=$1 plugin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for scale in 100 200; do
  echo "== at $scale %"
  SCALE=$scale SAVE_CHUNK="$work/chunk-$scale.bin" "$here/edit-strokes.sh" "$host" "$plugin" ||
    failed=1
done
if [ -s "$work/chunk-100.bin" ] && [ -s "$work/chunk-200.bin" ]; then
  "$host" chunk compare "$work/chunk-100.bin" "$work/chunk-200.bin" || {
    echo "FAIL the strokes at 200 % left other patterns than at 100 %"; failed=1; }
else
  echo "FAIL a run saved no chunk"; failed=1
fi
exit $failed
