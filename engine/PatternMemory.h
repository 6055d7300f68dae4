// The sequencer's data: 24 stored patterns, the current pattern (slot 24) and
// the queued one (slot 25), and the flags that the step clock shares with
// recalls. It has no locking of its own: whoever touches it holds `lock`.
#pragma once

#include <cstddef>

#include "engine/Pattern.h"
#include "engine/PatternLock.h"
#include "engine/ValueKind.h"
#include "frame/DAEffect.h"

class PatternMemory {
public:
  PatternMemory();

  PatternLock lock;
  Pattern patterns[kPatternSlots];
  bool transportPlaying = false;  // as in the last block the step clock played
  bool switchPending = false;     // the queued pattern waits for the next step

  Pattern& current() { return patterns[kCurrentSlot]; }
  Pattern& queued() { return patterns[kQueuedSlot]; }

  void reset();
  // Every kind but MidiFileExport, which needs no lock for its file work.
  void setValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind);
  VstInt16 getValue(VstInt32 step, VstInt32 row, VstInt32 kind) const;
  // A recall while the transport runs waits in the queued slot for the step
  // clock's next step; one while it stands takes effect at once and drops
  // whatever still waits, so the last recall wins.
  void recall(int pattern);
  void completeSwitch();

  // The chunk: the 26 slots as stored. Loading refuses any other size and
  // keeps every slot's defaultVelocity and the step padding.
  bool loadPatternImage(const void* image, std::size_t size);
  void savePatternImage(unsigned char* image) const;
};
