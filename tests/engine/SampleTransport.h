// A host's transport as hosts keep it: a sample counter, with the song
// position worked out of it afresh every block at the tempo that holds since
// the last change or locate (so it rounds a little differently each block).
#pragma once

#include <cmath>
#include <cstdint>

#include "frame/DAEffectX.h"

struct SampleTransport {
  double sampleRate = 44100.0;
  double tempo = 120.0;
  double ppqAtChange = 0.0;
  std::int64_t samplePos = 0;
  std::int64_t sampleAtChange = 0;

  // Hosts that keep the position in ticks hand it rounded to them (Ardour 7:
  // 1920 to the quarter note); 0 hands it exact.
  double ticksPerQuarter = 0.0;

  double ppqPos() const {
    const double exact =
        ppqAtChange + static_cast<double>(samplePos - sampleAtChange) * tempo / (60.0 * sampleRate);
    return ticksPerQuarter > 0.0 ? std::round(exact * ticksPerQuarter) / ticksPerQuarter : exact;
  }
  void changeTempo(double newTempo) {
    ppqAtChange = ppqPos();
    sampleAtChange = samplePos;
    tempo = newTempo;
  }
  void locate(double ppq) {
    ppqAtChange = ppq;
    sampleAtChange = samplePos;
  }
};
