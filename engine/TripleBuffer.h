// Three buffers handed between one writer and one reader without a lock:
// the writer fills its back buffer and publishes it; the reader takes the
// newest published buffer by exchanging indices, never copying. Each side
// owns its buffer exclusively until it hands it over.
#pragma once

#include <atomic>
#include <memory>

template <class T>
class TripleBuffer {
public:
  TripleBuffer() : buffers_(std::make_unique<T[]>(3)) {}

  // Writer.
  T& back() noexcept { return buffers_[back_]; }
  void publish() noexcept { back_ = middle_.exchange(back_ | kFresh, std::memory_order_acq_rel) & kIndex; }

  // Reader. True when a newer buffer became the front one.
  bool takeNewest() noexcept {
    if (!(middle_.load(std::memory_order_relaxed) & kFresh)) return false;
    front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndex;
    return true;
  }
  T& front() noexcept { return buffers_[front_]; }

private:
  static constexpr int kIndex = 3;
  static constexpr int kFresh = 4;
  std::unique_ptr<T[]> buffers_;
  int back_ = 0;
  std::atomic<int> middle_{1};
  int front_ = 2;
};
