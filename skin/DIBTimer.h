// Widget timers. They tick on the window thread: the platform layer
// advances their clock from its own timer messages with the time that
// really passed, and tests advance it by hand.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

class TDIBTimer;

class TimerClock {
public:
  using Duration = std::chrono::milliseconds;
  TimerClock() = default;
  TimerClock(const TimerClock&) = delete;
  TimerClock& operator=(const TimerClock&) = delete;
  ~TimerClock();

  Duration Now() const { return now_; }
  // Moves time forward, firing every tick that falls due on the way in
  // time order (timers due at the same moment in the order they started).
  void Advance(Duration d);

private:
  friend class TDIBTimer;
  void Attach(TDIBTimer* t);
  void Detach(TDIBTimer* t);
  Duration now_{0};
  std::vector<TDIBTimer*> timers_;
};

class TDIBTimer {
public:
  // Without a clock the timer never ticks, as when the platform refuses one.
  explicit TDIBTimer(TimerClock* clock = nullptr);
  TDIBTimer(const TDIBTimer&) = delete;
  TDIBTimer& operator=(const TDIBTimer&) = delete;
  ~TDIBTimer();

  int Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  // Both restart the period from now.
  void SetInterval(int ms);
  void SetEnabled(bool enabled);
  bool Running() const { return clock_ && enabled_ && interval_ > 0 && OnTimer; }

  std::function<void()> OnTimer;

private:
  friend class TimerClock;
  void Restart();
  TimerClock* clock_;
  int interval_ = 1000;
  bool enabled_ = true;
  TimerClock::Duration due_{0};
};
