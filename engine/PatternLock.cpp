#include "engine/PatternLock.h"

#include <thread>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define QUAVERLIN_CPU_RELAX() _mm_pause()
#else
#define QUAVERLIN_CPU_RELAX() ((void)0)
#endif

void PatternLock::lockRealtime() noexcept {
  realtimeWaiting_.fetch_add(1);
  while (held_.exchange(true, std::memory_order_acquire))
    while (held_.load(std::memory_order_relaxed)) QUAVERLIN_CPU_RELAX();
  realtimeWaiting_.fetch_sub(1);
}

void PatternLock::lock() noexcept {
  for (int attempt = 0;; ++attempt) {
    if (realtimeWaiting_.load() == 0 && !held_.load(std::memory_order_relaxed) &&
        !held_.exchange(true, std::memory_order_acquire))
      return;
    // A short spin covers a field access; anything longer is a copy or a
    // block, worth giving the core away for.
    if (attempt < 64)
      QUAVERLIN_CPU_RELAX();
    else
      std::this_thread::yield();
  }
}

void PatternLock::unlock() noexcept { held_.store(false, std::memory_order_release); }
