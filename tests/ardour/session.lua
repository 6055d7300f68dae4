-- Drives Ardour (ardour7-lua, Dummy backend) for ardour-session.sh:
--   session.lua create DIR NAME      a session with a MIDI track playing the
--                                    plug-in, the MIDI log after it; saved
--   session.lua play DIR NAME START SECONDS LOG
--                                    rolls from sample START for SECONDS, stops,
--                                    writes what the plug-in sent to LOG, then
--                                    switches the plug-in off and saves
--   session.lua reopen DIR NAME      opens the session and saves it again
local phase, dir, name = arg[1], arg[2], arg[3]
local rate = 48000

local function check (ok, what) if not ok then error (what, 0) end end

check (AudioEngine:set_backend ("None (Dummy)", "", ""), "no Dummy backend")
AudioEngine:set_sample_rate (rate)
AudioEngine:set_buffer_size (1024)

-- The plug-in and the log on the session's only track.
local function processors ()
  local track = Session:route_by_name ("Sequencer")
  check (not track:isnil (), "the session has no Sequencer track")
  local plugin, log
  local i = 0
  while true do
    local p = track:nth_plugin (i)
    if p:isnil () then break end
    if p:name () == "Quaverlin" then plugin = p end
    if p:name () == "Quaverlin MIDI Log" then log = p end
    i = i + 1
  end
  check (plugin and log, "the track lacks the plug-in or the log")
  return plugin, log
end

local function save_and_close ()
  check (Session:save_state ("", false, false, false, false, false) == 0, "saving failed")
  close_session ()
end

if phase == "create" then
  check (create_session (dir, name, rate), "cannot create the session")
  local info = ARDOUR.LuaAPI.new_plugin_info ("1364610126", ARDOUR.PluginType.LXVST)
  check (not info:isnil (), "Ardour does not know the plug-in (scanned?)")
  local tracks = Session:new_midi_track (
    ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1), ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2),
    false, info, nil, nil, 1, "Sequencer", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal,
    true, false)
  check (tracks:size () == 1, "no MIDI track")
  local log = ARDOUR.LuaAPI.new_luaproc (Session, "Quaverlin MIDI Log")
  check (not log:isnil (), "the MIDI log script is missing")
  local track = tracks:front ()
  -- Counted among the processors a user sees: the instrument is the first.
  check (track:add_processor_by_index (log, 1, nil, true) == 0, "cannot add the MIDI log")
  local order = {}
  local i = 0
  while not track:nth_processor (i):isnil () do
    order[#order + 1] = track:nth_processor (i):name ()
    i = i + 1
  end
  order = table.concat (order, ", ")
  check (order:find ("Quaverlin, Quaverlin MIDI Log", 1, true), "the log is not right after the plug-in: " .. order)
  processors ()
  save_and_close ()
elseif phase == "play" then
  local start, seconds, path = tonumber (arg[4]), tonumber (arg[5]), arg[6]
  check (load_session (dir, name), "cannot open the session")
  local plugin, log = processors ()
  Session:request_locate (start, false, ARDOUR.LocateTransportDisposition.MustStop, ARDOUR.TransportRequestSource.TRS_UI)
  sleep (1)
  Session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
  sleep (seconds)
  print (string.format ("rolled to sample %d", Session:transport_sample ()))
  Session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
  sleep (1)
  check (not Session:transport_rolling (), "the transport did not stop")
  local memory = log:to_insert ():plugin (0):to_luaproc ():shmem ()
  local count = memory:atomic_get_int (0)
  local events = memory:to_int (1):array ()
  local file = io.open (path, "w")
  for k = 0, count - 1 do
    file:write (string.format ("%d %d %d %d\n", events[k * 4 + 1], events[k * 4 + 2], events[k * 4 + 3],
                               events[k * 4 + 4]))
  end
  file:close ()
  -- Off, so that reopening hands the chunk back without playing a block.
  plugin:deactivate ()
  save_and_close ()
elseif phase == "reopen" then
  check (load_session (dir, name), "cannot open the session")
  processors ()
  save_and_close ()
else
  error ("unknown phase " .. tostring (phase), 0)
end
