// The sequencer's data: 24 stored patterns, the current pattern (slot 24) and
// the queued one (slot 25), and whether the queued one waits to take over.
// It has no locking of its own: the editor's copy lives under the editor's
// mutex, the audio thread's copy belongs to the audio thread alone (see
// PatternChannel.h). Both change only through the same operations below, so
// that applying the same operations in the same order leaves them equal.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/Pattern.h"
#include "engine/ValueKind.h"
#include "frame/DAEffect.h"

class PatternMemory {
public:
  PatternMemory();

  Pattern patterns[kPatternSlots];
  bool switchPending = false;     // the queued pattern waits for the next step
  std::uint64_t pendingSeq = 0;   // the operation that queued it
  std::uint32_t pendingGen = 0;   // the MIDI recall it carries out, 0 for the editor's

  Pattern& current() { return patterns[kCurrentSlot]; }
  Pattern& queued() { return patterns[kQueuedSlot]; }
  const Pattern& current() const { return patterns[kCurrentSlot]; }
  const Pattern& queued() const { return patterns[kQueuedSlot]; }

  void reset();
  // The field edits and the clear (every kind that changes one pattern in
  // place). `accepts` says whether a call's arguments are in range; setValue
  // expects them to be.
  static bool accepts(VstInt32 step, VstInt32 row, VstInt32 kind);
  void setValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind);
  VstInt16 getValue(VstInt32 step, VstInt32 row, VstInt32 kind) const;

  void store(int pattern);
  // A standing recall replaces the current pattern and cancels a waiting one.
  void recallNow(int pattern);
  // A recall while the transport runs waits in the queued slot; the last one wins.
  void recallQueued(int pattern, std::uint64_t seq, std::uint32_t gen);
  void completeSwitch();
  // The waiting pattern will not take over after all (an undone recall).
  void cancelSwitch();

  // The chunk: the 26 slots as stored. Loading refuses any other size and
  // keeps every slot's defaultVelocity and the step padding.
  bool loadPatternImage(const void* image, std::size_t size);
  void savePatternImage(unsigned char* image) const;
};
