#include "host/standalone/SongClock.h"

SongClock::SongClock(double tempo, bool playing) : wantPlaying_(playing) {
  transport_.tempo = tempo;
  transport_.playing = playing;
}

VstTimeInfo SongClock::nextBlock(double sampleRate, VstInt32 frames) {
  transport_.sampleRate = sampleRate;
  transport_.playing = wantPlaying_.load(std::memory_order_relaxed);
  const VstTimeInfo time = transport_.timeInfo();
  transport_.advance(frames);
  return time;
}

VstTimeInfo SongClock::timeAt(double samplePos, double sampleRate, bool playing) {
  transport_.sampleRate = sampleRate;
  transport_.samplePos = samplePos;
  transport_.playing = playing;
  const VstTimeInfo time = transport_.timeInfo();
  transport_.advance(0);  // remembers the play state this block had
  return time;
}
