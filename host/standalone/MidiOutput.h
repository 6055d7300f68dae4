// Where the standalone program's MIDI goes when no JACK server takes it: a
// port of the operating system, or a recorder in the tests.
#pragma once

#include "frame/DAEffectX.h"

class MidiOutput {
public:
  virtual ~MidiOutput() = default;
  // Sends the event's message now; its deltaFrames are the caller's to honour.
  // Called from the block timer's thread only, so it must not block for long.
  virtual void send(const VstMidiEvent& event) = 0;
};
