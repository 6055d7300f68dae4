#include "host/Transport.h"

#include <cmath>

double Transport::barStartPos() const {
  return reportsBarStarts ? std::floor(ppqPos / 4.0) * 4.0 : 0.0;
}

VstTimeInfo Transport::timeInfo() const {
  VstTimeInfo info{};
  info.samplePos = samplePos;
  info.sampleRate = sampleRate;
  info.ppqPos = ppqPos;
  info.tempo = tempo;
  info.barStartPos = barStartPos();
  info.timeSigNumerator = 4;
  info.timeSigDenominator = 4;
  info.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid |
               (reportsBarStarts ? kVstBarsValid : 0) | (playing ? kVstTransportPlaying : 0);
  return info;
}

void Transport::advance(VstInt32 frames) {
  if (!playing) return;
  samplePos += frames;
  ppqPos += frames * tempo / (60.0 * sampleRate);
}
