// The MIDI events a plug-in sends during one block, as a MIDI port wants
// them: inside the block and in time order. The storage is fixed, so the
// audio thread that fills it never allocates.
#pragma once

#include <array>
#include <cstddef>

#include "frame/DAEffectX.h"

class CollectedEvents {
public:
  static constexpr std::size_t kCapacity = 512;

  // Empties the list for a block of `frames` frames.
  void begin(VstInt32 frames);
  // Takes the MIDI events of a list the plug-in sent. An event is placed
  // after every event already taken at its frame or earlier, so lists sent
  // in order stay in order; frames outside the block are moved to its
  // nearer edge. What does not fit is counted, not kept.
  void take(const VstEvents& list);

  std::size_t size() const { return size_; }
  const VstMidiEvent& operator[](std::size_t i) const { return events_[i]; }
  const VstMidiEvent* begin() const { return events_.data(); }
  const VstMidiEvent* end() const { return events_.data() + size_; }
  // Events that arrived outside the block or beyond the capacity since
  // the count was last taken.
  std::size_t takeMovedCount();
  std::size_t takeDroppedCount();

private:
  void insert(const VstMidiEvent& event);

  std::array<VstMidiEvent, kCapacity> events_{};
  std::size_t size_ = 0;
  VstInt32 frames_ = 0;
  std::size_t moved_ = 0;
  std::size_t dropped_ = 0;
};
