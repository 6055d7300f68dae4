// Drives the widget timers from wall time. Hosts idle at their own pace,
// some only about fifteen times a second, so each call moves the timer
// clock by all the whole milliseconds that passed since the last one and
// keeps the rest for the next call: no time is lost to rounding.
#pragma once

#include <chrono>

#include "skin/DIBTimer.h"

class ElapsedClock {
public:
  using TimePoint = std::chrono::steady_clock::time_point;

  ElapsedClock(TimerClock& clock, TimePoint start) : clock_(clock), last_(start) {}

  void CatchUp(TimePoint now) {
    if (now <= last_) return;
    const auto whole = std::chrono::duration_cast<TimerClock::Duration>(now - last_);
    last_ += whole;
    if (whole.count() > 0) clock_.Advance(whole);
  }
  void CatchUp() { CatchUp(std::chrono::steady_clock::now()); }

private:
  TimerClock& clock_;
  TimePoint last_;
};
