#include "engine/PatternOp.h"

#include <algorithm>

// Bits 0-2 kind, 3-6 valueKind, 7-11 step, 12-15 row, 16-31 value, 32-63 gen.
std::uint64_t PatternOp::encode() const {
  return static_cast<std::uint64_t>(kind) | static_cast<std::uint64_t>(valueKind & 0x0F) << 3 |
         static_cast<std::uint64_t>(step & 0x1F) << 7 | static_cast<std::uint64_t>(row & 0x0F) << 12 |
         static_cast<std::uint64_t>(static_cast<std::uint16_t>(value)) << 16 |
         static_cast<std::uint64_t>(gen) << 32;
}

PatternOp PatternOp::decode(std::uint64_t word) {
  PatternOp op;
  op.kind = static_cast<OpKind>(word & 0x07);
  op.valueKind = static_cast<std::uint8_t>(word >> 3 & 0x0F);
  op.step = static_cast<std::uint8_t>(word >> 7 & 0x1F);
  op.row = static_cast<std::uint8_t>(word >> 12 & 0x0F);
  op.value = static_cast<std::int16_t>(static_cast<std::uint16_t>(word >> 16 & 0xFFFF));
  op.gen = static_cast<std::uint32_t>(word >> 32);
  return op;
}

void PatternReplica::apply(const PatternOp& op, std::uint64_t seq) {
  switch (op.kind) {
    case OpKind::Edit: memory.setValue(op.step, op.row, op.value, op.valueKind); break;
    case OpKind::Store: memory.store(op.step); break;
    case OpKind::RecallNow: memory.recallNow(op.step); break;
    case OpKind::RecallQueued: memory.recallQueued(op.step, seq, op.gen); break;
    case OpKind::SwitchComplete: memory.completeSwitch(); break;
  }
  appliedSeq = seq;
  ackedGen = std::max(ackedGen, op.gen);
}
