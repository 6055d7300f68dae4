// The step clock exactly as its algorithm reads: every step from the
// pattern's anchor is visited, one after another. Slow when the anchor lies
// far behind the block, and kept here as the yardstick for the real one.
#pragma once

#include <vector>

#include "engine/Pattern.h"
#include "frame/DAEffectX.h"

struct ReferenceSequencer {
  Pattern patterns[kPatternSlots];
  bool transportPlaying = false;
  bool switchPending = false;
  bool notesOffSent = false;
  // The event lists of the last block, in sending order.
  std::vector<std::vector<VstMidiEvent>> lists;

  void loadImage(const std::vector<unsigned char>& image);
  std::vector<unsigned char> image() const;
  void recall(int pattern);
  void store(int pattern);
  void block(const VstTimeInfo* info, VstInt32 sampleFrames);
};
