// The step clock exactly as its rules read: every step from the pattern's
// anchor is visited, one after another, and each row's note is followed from
// strike to note-off. Slow when the anchor lies far behind the block, and
// kept here as the yardstick for the real one.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "engine/Pattern.h"
#include "frame/DAEffectX.h"

struct ReferenceSequencer {
  Pattern patterns[kPatternSlots];
  bool transportPlaying = false;
  bool switchPending = false;
  // The events of the last block, in time order.
  std::vector<VstMidiEvent> events;

  void loadImage(const std::vector<unsigned char>& image);
  std::vector<unsigned char> image() const;
  void recall(int pattern);
  void store(int pattern);
  void block(const VstTimeInfo* info, VstInt32 sampleFrames);

private:
  struct Voice {
    bool sounding = false;
    bool hasSounded = false;
    unsigned key = 0;
    unsigned channel = 0;
    std::int64_t lastFired = std::numeric_limits<std::int64_t>::min();
    std::int64_t struckAt = -1;
    std::int64_t lastEvent = 0;
  };
  Voice voices[kRows];
  bool notesOffSent = false;
  // Frames of the host's timeline counted from `origin`.
  bool running = false;
  double origin = 0.0;
  double ratio = 0.0;
  std::int64_t nextBlock = 0;
};
