// A host's transport as hosts keep it: a sample counter, with the song
// position worked out of it afresh every block at the tempo that holds since
// the last change or locate (so it rounds a little differently each block).
#pragma once

#include <cstdint>

#include "frame/DAEffectX.h"

struct SampleTransport {
  double sampleRate = 44100.0;
  double tempo = 120.0;
  double ppqAtChange = 0.0;
  std::int64_t samplePos = 0;
  std::int64_t sampleAtChange = 0;

  double ppqPos() const {
    return ppqAtChange + static_cast<double>(samplePos - sampleAtChange) * tempo / (60.0 * sampleRate);
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
