#include "host/Transport.h"

#include <algorithm>
#include <cmath>

double Transport::ppqPos() const {
  return anchorQuarters_ + (samplePos - anchorSample_) / sampleRate * tempo / 60.0;
}

double Transport::barStartPos() const {
  return reportsBarStarts ? std::floor(ppqPos() / 4.0) * 4.0 : 0.0;
}

double Transport::sampleAt(double quarters) const {
  return anchorSample_ + (quarters - anchorQuarters_) * 60.0 / tempo * sampleRate;
}

VstTimeInfo Transport::timeInfo() const {
  VstTimeInfo info{};
  info.samplePos = samplePos;
  info.sampleRate = sampleRate;
  info.ppqPos = ppqPos();
  info.tempo = tempo;
  info.barStartPos = barStartPos();
  info.timeSigNumerator = 4;
  info.timeSigDenominator = 4;
  info.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
  if (reportsBarStarts) info.flags |= kVstBarsValid;
  if (looping()) {
    info.cycleStartPos = loopStart;
    info.cycleEndPos = loopEnd;
    info.flags |= kVstCyclePosValid | kVstTransportCycleActive;
  }
  if (playing) info.flags |= kVstTransportPlaying;
  if (jumped_ || playing != wasPlaying_) info.flags |= kVstTransportChanged;
  return info;
}

void Transport::locate(double quarters) {
  // Hosts stand on whole samples; the musical position is the one asked for.
  // A tempo or rate that gives no sample (0, NaN) leaves the sample count
  // where it was, so that the map is whole again once they are mended.
  const double at = std::round(sampleAt(quarters));
  if (std::isfinite(at)) samplePos = at;
  anchorSample_ = samplePos;
  anchorQuarters_ = quarters;
  jumped_ = true;
}

void Transport::changeTempo(double newTempo) {
  anchorQuarters_ = ppqPos();
  anchorSample_ = samplePos;
  tempo = newTempo;
}

VstInt32 Transport::framesBeforeWrap(VstInt32 frames) const {
  if (!playing || !looping()) return frames;
  const double end = std::round(sampleAt(loopEnd));
  if (!(samplePos < end)) return frames;  // beyond the loop: plays on
  return static_cast<VstInt32>(std::min<double>(frames, std::max(1.0, std::ceil(end - samplePos))));
}

void Transport::advance(VstInt32 frames) {
  wasPlaying_ = playing;
  jumped_ = false;
  if (!playing) return;
  const double end = looping() ? std::round(sampleAt(loopEnd)) : 0.0;
  const bool wraps = looping() && samplePos < end && samplePos + frames >= end;
  samplePos += frames;
  if (wraps) locate(loopStart);
}
