// The step the audio thread played last, for the editor to show: one atomic
// word that the audio thread writes at the end of every block and the
// editor reads at its idle refresh. Neither side waits or retries.
#pragma once

#include <atomic>

class PlayingStep {
public:
  static constexpr int kNone = -1;

  // A step 0..31, or kNone. The write releases everything the audio thread
  // did before it (a pattern switch it announced), so an editor that reads
  // the step first and the patterns after sees that switch too.
  void publish(int step) noexcept {
    word_.store(step >= 0 && step < 32 ? step : kNone, std::memory_order_release);
    publications_.fetch_add(1, std::memory_order_relaxed);
  }
  int read() const noexcept { return word_.load(std::memory_order_acquire); }
  // Counts the publications (wrapping): the editor sees whether blocks still
  // come, since a host may stop calling process without switching the
  // plug-in off, and the step published last then plays no more.
  unsigned publications() const noexcept { return publications_.load(std::memory_order_relaxed); }

private:
  std::atomic<int> word_{kNone};
  std::atomic<unsigned> publications_{0};
  static_assert(std::atomic<int>::is_always_lock_free);
  static_assert(std::atomic<unsigned>::is_always_lock_free);
};
