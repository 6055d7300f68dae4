#!/usr/bin/env bash
# A user switches the editor's scale in a real host's window: Debian's
# Ardour 7 GUI (Dummy backend) opens a session with the plug-in on a MIDI
# track; the plug-in's editor is opened as a user does, by double-clicking
# the plug-in in the track's mixer strip; "About" then "200%" are clicked in
# it. Checks: the editor's window becomes 1492x642, Ardour's plug-in window
# grows to hold it, the user's settings say scale=200; Ardour quit and
# started again opens the editor at 1492x642; "100%" brings back 746x321.
# Runs under xvfb-run.sh on a screen of at least 1500x700.
#   scale-in-ardour.sh PLUGIN.so
# On failure, the screenshots of every step and Ardour's output are kept in
# the folder printed ($ARTIFACTS/scale-in-ardour-failed, else under /tmp).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
plugin=$(realpath "$1")
for tool in ardour xdotool xwininfo import convert; do
  command -v $tool >/dev/null || { echo "$tool is missing (see scripts/install-deps.sh)" >&2; exit 1; }
done
work=$(mktemp -d)
shots=$work/shots
mkdir -p "$shots"
ardour_pid=
failed=0
finish() {
  [ -z "$ardour_pid" ] || { kill -KILL -- "-$ardour_pid" 2>/dev/null; wait "$ardour_pid" 2>/dev/null; }
  if [ $failed = 1 ]; then
    local kept
    if [ -n "${ARTIFACTS:-}" ]; then
      kept=$ARTIFACTS/scale-in-ardour-failed
      rm -rf "$kept" && mkdir -p "$kept"
    else
      kept=$(mktemp -d /tmp/scale-in-ardour-failed.XXXXXX)
    fi
    cp "$shots"/* "$work"/*.log "$kept"/ 2>/dev/null
    echo "screenshots and Ardour's output kept in $kept" >&2
  fi
  rm -rf "$work"
}
trap finish EXIT
source "$here/ardour-home.sh"
settings=$XDG_CONFIG_HOME/Quaverlin/settings.ini

steps=0
shot() { steps=$((steps + 1)); import -window root "$shots/$(printf %02d $steps)-$1.png" 2>/dev/null; }
fail() { echo "FAIL: $*" >&2; shot failure; failed=1; exit 1; }
ok() { echo "ok   $*"; }
poll() {  # poll SECONDS COMMAND...: until the command succeeds, printing its output
  local until=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $until ] || return 1
    sleep 0.25
  done
}
size_of() { xwininfo -id "$1" 2>/dev/null | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
has_size() { [ "$(size_of "$1")" = "$2" ]; }
holds() {  # holds WINDOW WxH: the window is at least that big
  local size; size=$(size_of "$1")
  [ "${size%x*}" -ge "${2%x*}" ] && [ "${size#*x}" -ge "${2#*x}" ]
}
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }

ardour_lua create "$work/session" quaverlin
# The hints ardour7-lua leaves on the engine do not name the Dummy backend
# as the GUI does; on a mismatch the GUI asks about a changed device instead
# of starting the engine itself. Without hints it starts it.
sed -i '/<EngineHints /d' "$work/session/quaverlin.ardour"

main=
start_ardour() {  # start_ardour RUN: Ardour's GUI on the session, its main window in $main
  setsid ardour -n -a "$work/session/quaverlin.ardour" >"$work/ardour-$1.log" 2>&1 &
  ardour_pid=$!
  main=$(poll 120 visible_window '^quaverlin - Ardour$') ||
    fail "Ardour's main window did not come within 120 s (a dialog in the way?)"
  ok "Ardour's window is up ($1)"
}
ardour_gone() { ! kill -0 "$ardour_pid" 2>/dev/null; }
quit_ardour() {  # as a user does: Ctrl+Q in the main window; killed if it hangs
  xdotool windowfocus --sync "$main" key ctrl+q
  if poll 30 ardour_gone; then
    ok "Ardour quit"
  else
    echo "note: Ardour did not quit within 30 s of Ctrl+Q; killed" >&2
    kill -KILL -- "-$ardour_pid" 2>/dev/null
  fi
  wait "$ardour_pid" 2>/dev/null
  ardour_pid=
}

# Where the first plug-in of the mixer strip is, in the main window: Ardour
# paints the processors before the fader dark red (R well above G = B, not
# the light red of the track's colour); the topmost row holding a run of 40
# such pixels is the entry of the plug-in, the first of the strip. The
# first strip lies in the window's top left part, the only part read.
plugin_entry() {
  import -window "$main" "$work/main.png" 2>/dev/null &&
  convert "$work/main.png" -crop 60%x60%+0+0 -depth 8 "$work/main.txt" &&
  awk -F'[,:() ]+' '
    NR == 1 { next }
    {
      x = $1; y = $2; r = $3; g = $4; b = $5
      red = r >= 80 && r < 160 && r - g >= 40 && g - b <= 3 && b - g <= 3
      if (!red) { run = 0; next }
      if (run > 0 && y == lasty && x == lastx + 1) run++; else { run = 1; first = x }
      lastx = x; lasty = y
      if (run == 40) { print first + 20, y + 8; found = 1; exit }
    }
    END { exit !found }' "$work/main.txt"
}
plugin_window=
editor=
mixer_entry() {  # the plug-in's entry, in the same place a second later (the view is not switching)
  local spot
  spot=$(plugin_entry) && sleep 1 && [ "$(plugin_entry)" = "$spot" ] && echo "$spot"
}
open_editor() {  # double-clicks the plug-in in the mixer; its windows in $plugin_window, $editor
  local spot
  # Ardour opens on the view it showed last; Alt+M switches between the
  # editor and the mixer, so it is pressed only when the mixer is not shown.
  if ! spot=$(poll 8 mixer_entry); then
    xdotool windowfocus --sync "$main" key alt+m
    spot=$(poll 30 mixer_entry) || fail "no plug-in in the mixer strip within 30 s of Alt+M"
  fi
  shot mixer
  for try in 1 2 3; do
    [ $try = 1 ] || spot=$(poll 10 mixer_entry) || fail "the mixer strip went away"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$main" $spot click --repeat 2 --delay 80 1
    plugin_window=$(poll 20 visible_window '^Sequencer: Quaverlin') && break
    echo "note: no plug-in window 20 s after double-click $try" >&2
  done
  [ -n "$plugin_window" ] || fail "double-clicking the plug-in opened no window"
  # Ardour's window holds its own child window, which holds ours.
  editor=$(xwininfo -tree -id "$plugin_window" |
    awk '/^ +0x/ { depth = match($0, /[^ ]/); if (depth > deepest) { deepest = depth; id = $1 } } END { print id }')
  [ -n "$editor" ] || fail "the plug-in's window holds no editor: $(xwininfo -tree -id "$plugin_window")"
  sleep 1
}
click() {  # click X Y SCALE: a point of the editor at 100 %, placed at SCALE
  xdotool mousemove --window "$editor" $((($1 * $3 + 50) / 100)) $((($2 * $3 + 50) / 100)) click 1
  sleep 0.5
}
# At 100 %: the About button, the middles of the 100 % and 200 % buttons.
about=(53 295) at100=(498 89) at200=(584 89)
expect_editor() {  # expect_editor WxH WHAT [SECONDS]: the editor's window (within SECONDS) and Ardour's around it
  poll "${3:-10}" has_size "$editor" "$1" || fail "$2: the editor is $(size_of "$editor"), wanted $1"
  ok "$2: the editor is $1"
  poll 10 holds "$plugin_window" "$1" ||
    fail "$2: Ardour's plug-in window is $(size_of "$plugin_window"), too small for the editor's $1"
  ok "$2: Ardour's plug-in window follows ($(size_of "$plugin_window"))"
}
expect_settings() {
  poll 5 grep -qsx "scale=$1" "$settings" ||
    fail "the settings say $(cat "$settings" 2>/dev/null || echo nothing), wanted scale=$1"
  ok "the settings say scale=$1"
}

[ ! -e "$settings" ] || fail "settings left over: $(cat "$settings")"
start_ardour first
open_editor
shot opened
expect_editor 746x321 "opened on Xvfb's 100 dpi screen" 0
click "${about[@]}" 100
click "${at200[@]}" 100
shot at-200
expect_editor 1492x642 "after 200%"
expect_settings 200
quit_ardour

start_ardour again
open_editor
shot reopened
expect_editor 1492x642 "Ardour started again" 0
click "${about[@]}" 200
click "${at100[@]}" 200
shot back-at-100
expect_editor 746x321 "after 100%"
expect_settings 100
quit_ardour
