// Sleeping until a moment on the steady clock as closely as the system
// allows, for the thread that hands out blocks in real time.
#pragma once

#include <chrono>
#include <memory>

class PreciseWait {
public:
  // Made on the thread that will wait: it may raise that thread's priority
  // and the system timer's resolution for as long as it exists.
  PreciseWait();
  ~PreciseWait();
  PreciseWait(const PreciseWait&) = delete;
  PreciseWait& operator=(const PreciseWait&) = delete;

  // Returns once `moment` has passed, never before.
  void until(std::chrono::steady_clock::time_point moment);

private:
  struct System;
  std::unique_ptr<System> system_;
};
