ardour {
  ["type"] = "dsp",
  name = "Quaverlin MIDI Log",
  category = "Utility",
  license = "MIT",
  author = "Quaverlin tests",
  description = [[Passes MIDI on unchanged and keeps every event with its session sample, for the session script to read]]
}

-- Shared memory: [0] the number of events kept, then four integers an event:
-- session sample, status, first and second data byte.
local capacity = 8192

function dsp_ioconfig ()
  return { { midi_in = 1, midi_out = 1, audio_in = -1, audio_out = -1 } }
end

function dsp_init (rate)
  self:shmem ():allocate (1 + capacity * 4)
  self:shmem ():atomic_set_int (0, 0)
end

function dsp_configure (ins, outs)
  n_out = outs
end

function dsp_runmap (bufs, in_map, out_map, n_samples, offset)
  ARDOUR.DSP.process_map (bufs, n_out, in_map, out_map, n_samples, offset)
  local index = in_map:get (ARDOUR.DataType ("midi"), 0)
  if index == ARDOUR.ChanMapping.Invalid then return end
  local count = self:shmem ():atomic_get_int (0)
  local log = self:shmem ():to_int (1):array ()
  -- The cycle's first sample: the position moves on only after every route
  -- ran (the session rolls without loops, so cycles are not split).
  local start = Session:transport_sample ()
  for _, event in ipairs (bufs:get_midi (index):table ()) do
    if count < capacity then
      local bytes = event:buffer ():array ()
      log[count * 4 + 1] = start + event:time ()
      log[count * 4 + 2] = bytes[1]
      log[count * 4 + 3] = event:size () > 1 and bytes[2] or 0
      log[count * 4 + 4] = event:size () > 2 and bytes[3] or 0
      count = count + 1
    end
  end
  self:shmem ():atomic_set_int (0, count)
end
