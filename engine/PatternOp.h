// One change to the patterns, as the editor's side made it and as the audio
// thread repeats it on its own copy. An operation fits one 64-bit word, so
// the ring that carries it needs no more than one atomic per slot.
#pragma once

#include <cstdint>

#include "engine/PatternMemory.h"

enum class OpKind : std::uint8_t {
  Edit,            // a field edit or the clear: PatternMemory::setValue
  Store,           // the current pattern into stored pattern `step`
  RecallNow,       // stored pattern `step` becomes current
  RecallQueued,    // stored pattern `step` waits for the next step
  SwitchComplete,  // the waiting pattern took over
};

struct PatternOp {
  OpKind kind = OpKind::Edit;
  std::uint8_t valueKind = 0;  // for Edit: the accessor's kind
  std::uint8_t step = 0;       // a step, or a stored pattern's index
  std::uint8_t row = 0;
  std::int16_t value = 0;
  std::uint32_t gen = 0;  // the MIDI recall a recall carries out, 0 for the editor's

  std::uint64_t encode() const;
  static PatternOp decode(std::uint64_t word);
  bool operator==(const PatternOp&) const = default;
};

// A copy of the patterns together with how far into the stream of
// operations it is: the editor's model and the audio thread's copy are both
// one of these.
struct PatternReplica {
  PatternMemory memory;
  std::uint64_t appliedSeq = 0;  // the last operation applied (they count from 1)
  std::uint32_t ackedGen = 0;    // the newest MIDI recall carried out

  void apply(const PatternOp& op, std::uint64_t seq);
};
