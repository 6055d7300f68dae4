// What the host received, placed on the song's timeline: as a readable list
// and as a Standard MIDI File a user can play.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/VstHost.h"

struct TimedEvent {
  double frame;  // from the song start
  VstMidiEvent midi;
};

// Each received event at its block's start frame plus its deltaFrames.
std::vector<TimedEvent> onTimeline(const std::vector<ReceivedEvent>& received,
                                   const std::vector<double>& blockStarts);

// "C4" is MIDI note 60.
std::string noteName(int note);

// One line per event: bar:step, frame, kind, note name, channel, velocity.
std::string readableList(const std::vector<TimedEvent>& events, double tempo, double sampleRate);

// Format 0, 960 ticks per quarter note, the events at their real times.
std::vector<std::uint8_t> midiFileOf(const std::vector<TimedEvent>& events, double tempo,
                                     double sampleRate);
