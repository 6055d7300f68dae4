# Sourced by the Ardour tests: gives Debian's Ardour 7 a home of its own in
# the test's scratch folder, so nothing carries over from the user or from
# an earlier run (configuration, caches, plug-in list), with the Dummy audio
# backend and the plug-in's copy as the only Linux VST, already scanned.
# Then `ardour_lua PHASE ARGS...` runs session.lua's PHASE headless.
#   needs: here (this folder), work (the scratch folder), plugin (absolute)
scanner=/usr/lib/ardour7/ardour-vst-scanner
command -v ardour7-lua >/dev/null && [ -x "$scanner" ] ||
  { echo "Ardour 7 is missing (package ardour)" >&2; exit 1; }

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$XDG_CONFIG_HOME/ardour7/scripts" "$work/vst"
# Ardour's GUI greets a user it has never seen with a set-up wizard; this
# file says Ardour 7 ran here before.
touch "$XDG_CONFIG_HOME/ardour7/.a7"
# The GUI starts the engine by itself as it was last used (the Dummy
# backend's silent device at 48 kHz) instead of asking in its audio/MIDI
# set-up dialog. The headless interpreter chooses its backend in session.lua.
cat >"$XDG_CONFIG_HOME/ardour7/config" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="try-autostart-engine" value="1"/>
    <Option name="plugin-path-lxvst" value="$work/vst"/>
  </Config>
  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="None (Dummy)" driver="Normal Speed" device="Silence" input-device="" output-device=""
               sample-rate="48000" buffer-size="1024" n-periods="0" input-latency="0" output-latency="0"
               lm-input="" lm-output="" active="1" use-buffered-io="0" midi-option="1 in, 1 out, Silence" lru="1">
          <MIDIDevices/>
        </State>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
</Ardour>
XML
cp "$here/midi-log.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"

# Ardour reads the scanner's cache only when it is newer than the plug-in,
# and finds it by the plug-in's absolute path.
cp "$plugin" "$work/vst/Quaverlin.so"
touch -d '-10 seconds' "$work/vst/Quaverlin.so"
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 "$scanner" -q -f "$work/vst/Quaverlin.so"

ardour_lua() {  # phase, arguments...: runs session.lua, its output kept in $work/PHASE.out
  local phase=$1
  if ! timeout 60 ardour7-lua "$here/session.lua" "$@" >"$work/$phase.out" 2>&1; then
    cat "$work/$phase.out" >&2
    echo "Ardour failed in phase $phase" >&2
    exit 1
  fi
}
