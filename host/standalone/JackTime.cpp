#include "host/standalone/JackTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr double kTicksPerBeat = 1920.0;
}

bool hasBarBeatTick(const jack_position_t& position) {
  return (position.valid & JackPositionBBT) && position.bar >= 1 && position.beat >= 1 &&
         position.beats_per_bar > 0.0f && position.beat_type > 0.0f &&
         position.ticks_per_beat > 0.0 && position.beats_per_minute > 0.0;
}

VstTimeInfo timeFromBarBeatTick(const jack_position_t& position, bool rolling) {
  const double quartersPerBeat = 4.0 / position.beat_type;
  const double tick = (position.valid & JackTickDouble) ? position.tick_double : position.tick;
  const double barsBefore = position.bar - 1;
  const double beats = barsBefore * position.beats_per_bar + (position.beat - 1) +
                       tick / position.ticks_per_beat;
  VstTimeInfo time{};
  time.samplePos = position.frame;
  time.sampleRate = position.frame_rate;
  time.tempo = position.beats_per_minute * quartersPerBeat;
  time.ppqPos = beats * quartersPerBeat;
  // The master's bars, beats and ticks may lie some frames before the cycle.
  if ((position.valid & JackBBTFrameOffset) && position.frame_rate > 0)
    time.ppqPos += position.bbt_offset / static_cast<double>(position.frame_rate) * time.tempo / 60.0;
  time.barStartPos = barsBefore * position.beats_per_bar * quartersPerBeat;
  time.timeSigNumerator = static_cast<VstInt32>(std::lround(position.beats_per_bar));
  time.timeSigDenominator = static_cast<VstInt32>(std::lround(position.beat_type));
  time.flags = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  if (rolling) time.flags |= kVstTransportPlaying;
  return time;
}

void writeBarBeatTick(const VstTimeInfo& time, jack_position_t& position) {
  constexpr int kBeatsPerBar = 4;
  const double quarters = std::max(time.ppqPos, 0.0);
  const double bars = std::floor(quarters / kBeatsPerBar);
  const double beats = std::min(std::floor(quarters - bars * kBeatsPerBar), kBeatsPerBar - 1.0);
  const double ticks = (quarters - bars * kBeatsPerBar - beats) * kTicksPerBeat;
  position.valid = static_cast<jack_position_bits_t>(position.valid | JackPositionBBT | JackTickDouble);
  position.bar = static_cast<std::int32_t>(bars) + 1;
  position.beat = static_cast<std::int32_t>(beats) + 1;
  position.tick = static_cast<std::int32_t>(ticks);
  position.tick_double = ticks;
  position.bar_start_tick = bars * kBeatsPerBar * kTicksPerBeat;
  position.beats_per_bar = kBeatsPerBar;
  position.beat_type = 4;
  position.ticks_per_beat = kTicksPerBeat;
  position.beats_per_minute = time.tempo;
}
