// The editor's operations on their way to the audio thread: one writer (the
// editor's side, under its mutex) and one reader (the audio thread), no lock
// on either side.
//
// Operation `seq` (counted from 1) goes to slot seq % kCapacity. Each slot
// carries a stamp: 2·seq + 1 while the writer fills it, 2·seq once it is
// whole. The reader checks the stamp before and after taking the word, so a
// slot that the writer overwrites while it is being read (the reader fell a
// whole ring behind) is seen as overwritten, never taken half old, half new.
// Everything is an atomic: no data race even in the overwrite case.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

class OpRing {
public:
  static constexpr std::size_t kCapacity = 1024;

  enum class Read { Ready, NotYet, Overwritten };

  // Writer. Overwrites whatever the slot held.
  void push(std::uint64_t seq, std::uint64_t word) noexcept;
  // Reader: operation `seq`, if it is there and whole.
  Read read(std::uint64_t seq, std::uint64_t& word) const noexcept;

private:
  struct Slot {
    std::atomic<std::uint64_t> stamp{0};
    std::atomic<std::uint64_t> word{0};
  };
  Slot slots_[kCapacity];
};
