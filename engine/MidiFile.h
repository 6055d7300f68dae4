// The current pattern as a Standard MIDI File (format 1, 960 ticks per
// quarter note): a tempo track, then one track per channel that holds a set
// cell, in ascending channel order. Every set cell is one sixteenth note on
// its step; shifts and modes do not enter the file.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Pattern.h"

// Microseconds per quarter note for the tempo event; without a usable tempo
// the file says 120 BPM, and the value is kept within the event's 24 bits.
std::uint32_t microsecondsPerQuarter(double tempo);

std::vector<std::uint8_t> buildMidiFile(const Pattern& pattern, double tempo);
