#include <gtest/gtest.h>

#include <string>

#include "skin/DIBTimer.h"

using std::chrono::milliseconds;

TEST(DIBTimer, TicksOncePerIntervalOfClockTime) {
  TimerClock clock;
  TDIBTimer timer(&clock);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(50);
  clock.Advance(milliseconds(49));
  EXPECT_EQ(ticks, 0);
  clock.Advance(milliseconds(1));
  EXPECT_EQ(ticks, 1);
  clock.Advance(milliseconds(500));
  EXPECT_EQ(ticks, 11);
}

TEST(DIBTimer, FiresSeveralTimersInTimeOrder) {
  TimerClock clock;
  TDIBTimer slow(&clock), fast(&clock);
  std::string order;
  slow.SetInterval(30);
  fast.SetInterval(20);
  slow.OnTimer = [&] { order += 's'; };
  fast.OnTimer = [&] { order += 'f'; };
  clock.Advance(milliseconds(60));
  // 20, 30, 40, then both at 60: the one that started first goes first.
  EXPECT_EQ(order, "fsfsf");
}

TEST(DIBTimer, StopsWhenDisabledAndRestartsItsPeriodWhenEnabled) {
  TimerClock clock;
  TDIBTimer timer(&clock);
  int ticks = 0;
  timer.SetInterval(100);
  timer.OnTimer = [&] {
    ++ticks;
    timer.SetEnabled(false);  // a handler may stop its own timer
  };
  clock.Advance(milliseconds(300));
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(true);
  clock.Advance(milliseconds(99));
  EXPECT_EQ(ticks, 1);
  clock.Advance(milliseconds(1));
  EXPECT_EQ(ticks, 2);
}

TEST(DIBTimer, WithoutAClockNeverTicks) {
  TDIBTimer timer;
  timer.OnTimer = [] { FAIL(); };
  EXPECT_FALSE(timer.Running());
}
