#include "engine/OpRing.h"

void OpRing::push(std::uint64_t seq, std::uint64_t word) noexcept {
  Slot& slot = slots_[seq % kCapacity];
  // Release on the busy mark too: a reader that sees it also sees whatever
  // the writer published before (the snapshot that replaces an overwritten
  // stretch of the ring).
  slot.stamp.store(2 * seq + 1, std::memory_order_release);
  slot.word.store(word, std::memory_order_release);
  slot.stamp.store(2 * seq, std::memory_order_release);
}

OpRing::Read OpRing::read(std::uint64_t seq, std::uint64_t& word) const noexcept {
  const Slot& slot = slots_[seq % kCapacity];
  const std::uint64_t before = slot.stamp.load(std::memory_order_acquire);
  if (before <= 2 * seq + 1) {
    if (before != 2 * seq) return Read::NotYet;
    word = slot.word.load(std::memory_order_acquire);
    if (slot.stamp.load(std::memory_order_relaxed) == 2 * seq) return Read::Ready;
  }
  return Read::Overwritten;
}
