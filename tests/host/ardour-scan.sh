#!/usr/bin/env bash
# A real host's plug-in scanner (Debian's Ardour) must see the Linux plug-in
# as the instrument it is.
set -euo pipefail
plugin=$(realpath "$1")
scanner=/usr/lib/ardour7/ardour-vst-scanner
[ -x "$scanner" ] || { echo "missing $scanner (package ardour)" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
report=$(LD_LIBRARY_PATH=/usr/lib/ardour7 HOME=$home timeout 120 "$scanner" -v -f "$plugin" 2>&1)
echo "$report"
info=$(printf '%s\n' "$report" | grep '<VST2Info')
for want in 'id="1364610126"' 'name="Quaverlin"' 'creator="Tarnwick"' 'category="Instrument"' \
            'n_inputs="0"' 'n_outputs="2"' 'n_midi_inputs="1"' 'n_midi_outputs="1"' \
            'is_instrument="1"' 'can_process_replace="1"' 'has_editor="1"'; do
  case $info in
    *"$want"*) ;;
    *) echo "scanner report lacks $want" >&2; exit 1 ;;
  esac
done
