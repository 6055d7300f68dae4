// Song positions as JACK's transport carries them (bars, beats and ticks
// from a timebase master) and as VST 2 plug-ins want them (quarter notes).
#pragma once

#include <jack/transport.h>

#include "frame/DAEffectX.h"

// Whether a timebase master filled in bars, beats and ticks that can be
// worked with (a bar of beats of some length, a tempo, ticks per beat).
bool hasBarBeatTick(const jack_position_t& position);

// The plug-in's time for the cycle that starts at `position`, from the
// master's bars, beats and ticks (its fine ticks when it gives them).
VstTimeInfo timeFromBarBeatTick(const jack_position_t& position, bool rolling);

// What a timebase master writes for the others: `time`'s position, bar and
// tempo in 4/4, with 1920 ticks to the beat and the fine ticks as well.
void writeBarBeatTick(const VstTimeInfo& time, jack_position_t& position);
