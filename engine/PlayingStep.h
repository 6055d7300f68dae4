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
  }
  int read() const noexcept { return word_.load(std::memory_order_acquire); }

private:
  std::atomic<int> word_{kNone};
  static_assert(std::atomic<int>::is_always_lock_free);
};
