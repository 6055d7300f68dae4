// What the host received, placed on the song's timeline: as a readable list
// and as a Standard MIDI File a user can play.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/VstHost.h"

struct TimedEvent {
  double frame;     // played frames since the host started, loops and locates included
  double quarters;  // where in the song, as the block's transport gave it
  VstMidiEvent midi;
};

// Each received event at its block's start plus its deltaFrames, in time order.
std::vector<TimedEvent> onTimeline(const std::vector<ReceivedEvent>& received,
                                   const std::vector<PlayedBlock>& blocks);

// "C4" is MIDI note 60.
std::string noteName(int note);

// One line per event: bar:step in the song, frame, kind, note name, channel, velocity.
std::string readableList(const std::vector<TimedEvent>& events);

// Format 0, 960 ticks per quarter note, the events at their real times.
std::vector<std::uint8_t> midiFileOf(const std::vector<TimedEvent>& events, double tempo,
                                     double sampleRate);
