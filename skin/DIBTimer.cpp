#include "skin/DIBTimer.h"

#include <algorithm>

TimerClock::~TimerClock() {
  for (TDIBTimer* t : timers_) t->clock_ = nullptr;
}

void TimerClock::Attach(TDIBTimer* t) { timers_.push_back(t); }
void TimerClock::Detach(TDIBTimer* t) { std::erase(timers_, t); }

void TimerClock::Advance(Duration d) {
  const Duration end = now_ + d;
  while (true) {
    // Handlers may start, stop or destroy timers, so look again each tick.
    TDIBTimer* next = nullptr;
    for (TDIBTimer* t : timers_)
      if (t->Running() && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
    if (!next) break;
    now_ = next->due_;
    next->due_ += Duration(next->interval_);
    next->OnTimer();
  }
  now_ = end;
}

TDIBTimer::TDIBTimer(TimerClock* clock) : clock_(clock) {
  if (clock_) {
    clock_->Attach(this);
    Restart();
  }
}

TDIBTimer::~TDIBTimer() {
  if (clock_) clock_->Detach(this);
}

void TDIBTimer::Restart() {
  if (clock_) due_ = clock_->Now() + TimerClock::Duration(interval_);
}

void TDIBTimer::SetInterval(int ms) {
  interval_ = ms;
  Restart();
}

void TDIBTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}
