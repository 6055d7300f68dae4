// The program's own transport, for when nothing else leads: a tempo, a
// start and stop that any thread may ask for, and a sample count from
// which the song position is worked out at every block, as hosts do.
#pragma once

#include <atomic>

#include "frame/DAEffectX.h"
#include "host/Transport.h"

class SongClock {
public:
  explicit SongClock(double tempo, bool playing = false);

  double tempo() const { return transport_.tempo; }

  // Any thread: the transport starts or stops from the next block on.
  void setPlaying(bool playing) { wantPlaying_.store(playing); }
  void togglePlaying() {
    bool was = wantPlaying_.load();
    while (!wantPlaying_.compare_exchange_weak(was, !was)) {
    }
  }
  bool playing() const { return wantPlaying_.load(); }

  // Audio thread, for a clock that counts its own samples: the time of the
  // next block, after which the song moves on by `frames` while playing.
  VstTimeInfo nextBlock(double sampleRate, VstInt32 frames);
  // Audio thread, for a sample count kept elsewhere (a JACK server's): the
  // time of the block that starts at `samplePos`, this clock's tempo laid
  // over it from sample 0.
  VstTimeInfo timeAt(double samplePos, double sampleRate, bool playing);

private:
  std::atomic<bool> wantPlaying_;
  Transport transport_;
};
