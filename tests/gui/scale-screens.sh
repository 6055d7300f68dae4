#!/usr/bin/env bash
# The editor at 100, 150 and 200 % in a real window (run under xvfb-run.sh
# on a screen wide enough for 200 %): the scale the user's settings name,
# else the one the screen's density calls for; chosen with the buttons of
# the about page, the host's window follows and the choice outlives the
# host; a host that refuses the new size keeps the old size and scale.
#   scale-screens.sh ARTIFACTS HOST PLUGIN
set -uo pipefail
artifacts=$1 host=$2 plugin=$3
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
settings=$XDG_CONFIG_HOME/Quaverlin/settings.ini
failed=0
fail() { echo "FAIL $*"; failed=1; }
check() {  # check WHAT GOT WANT
  if [ "$2" = "$3" ]; then echo "ok   $1: $2"; else fail "$1: $2, wanted $3"; fi
}
remember() { mkdir -p "$(dirname "$settings")" && printf '%b' "$1" >"$settings"; }
remembered() { cat "$settings" 2>/dev/null || echo "(no settings file)"; }
shot() {  # shot NAME [OPTIONS...]: the screenshot's size
  local name=$1; shift
  "$host" screenshot "$@" "$plugin" "$artifacts/$name.png" >"$work/shot.out" 2>&1 ||
    { cat "$work/shot.out"; echo none; return; }
  identify -format '%wx%h' "$artifacts/$name.png"
}
resources() {  # resources TEXT: what xrdb would publish (\t, \n as printf's); empty removes it
  if [ -n "$1" ]; then xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf '%b' "$1")"
  else xprop -root -remove RESOURCE_MANAGER; fi
}

# The server forgets the root's properties once its last client leaves: one
# stays connected for the whole test.
xprop -root -spy RESOURCE_MANAGER >/dev/null 2>&1 &
spy=$!
trap 'kill $spy 2>/dev/null; rm -rf "$work"' EXIT

echo "== the scale the settings name"
for scale_size in 100:746x321 150:1119x482 200:1492x642; do
  scale=${scale_size%%:*}
  remember "scale=$scale\n"
  check "screenshot at $scale %" "$(shot "scale-$scale")" "${scale_size#*:}"
done

echo "== no settings, or damaged ones: the screen's density"
rm -f "$settings"
check "Xvfb's 100 dpi screen" "$(shot density-screen)" 746x321
for dpi_size in 144:1119x482 192:1492x642 96:746x321; do
  resources "Xft.dpi:\t${dpi_size%%:*}\nXft.antialias:\t1\n"
  check "Xft.dpi ${dpi_size%%:*}" "$(shot "density-xft-${dpi_size%%:*}")" "${dpi_size#*:}"
done
resources "Xft.dpi:\t192\n"
for damaged in 'scale=175\n' 'scale=\n' '\x00\xff\xfe garbage'; do
  remember "$damaged"
  check "damaged settings '$damaged' at Xft.dpi 192" "$(shot density-damaged)" 1492x642
done
resources ""
rm -f "$settings"
check "opening wrote no settings" "$(remembered)" "(no settings file)"

echo "== chosen on the about page"
window=
editor() {  # editor [OPTIONS...]: starts the host's editor, finds its window
  "$host" editor --for 60 "$@" "$plugin" >"$work/host.out" 2>&1 &
  host_pid=$!
  window=$(timeout 20 xdotool search --sync --name "Quaverlin editor" | head -1)
  [ -n "$window" ] || fail "no editor window"
  sleep 1
}
size_of() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
window_size() { size_of "$window"; }
# The plug-in's own window inside the host's.
editor_size() { size_of "$(xwininfo -children -id "$window" | awk '/^ +0x/ {print $1; exit}')"; }
end_editor() {
  kill -TERM "$host_pid"
  wait "$host_pid" || fail "the host failed: $(cat "$work/host.out")"
}
click() {  # click X Y SCALE: a point of the editor at 100 %, placed at SCALE
  xdotool mousemove $((($1 * $3 + 50) / 100)) $((($2 * $3 + 50) / 100)) click 1
  sleep 0.8
}
# At 100 %: the About button, and the middles of the three scale buttons.
about=(53 295) at100=(498 89) at150=(541 89) at200=(584 89)

editor
check "opens at full size" "$(window_size)" 746x321
click "${about[@]}" 100
click "${at200[@]}" 100
check "after 200 %" "$(window_size)" 1492x642
check "the editor in it" "$(editor_size)" 1492x642
check "remembered" "$(remembered)" scale=200
import -window root -crop 1492x642+0+0 "$artifacts/scale-chosen-200.png"
click "${at150[@]}" 200
check "after 150 %" "$(window_size)" 1119x482
check "remembered" "$(remembered)" scale=150
end_editor

editor
check "the host started again opens at the choice" "$(window_size)" 1119x482
end_editor

editor --refuse-resize
click "${about[@]}" 150
click "${at200[@]}" 150
check "a host that refuses keeps the size" "$(window_size)" 1119x482
check "and the editor its scale" "$(editor_size)" 1119x482
check "and nothing new is remembered" "$(remembered)" scale=150
import -window root -crop 1119x482+0+0 "$artifacts/scale-refused-150.png"
end_editor
exit $failed
