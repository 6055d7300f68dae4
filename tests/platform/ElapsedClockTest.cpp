#include "platform/ElapsedClock.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

struct TickCounter {
  explicit TickCounter(TimerClock& clock, int intervalMs) : timer(&clock) {
    timer.SetInterval(intervalMs);
    timer.OnTimer = [this] { ++ticks; };
  }
  TDIBTimer timer;
  int ticks = 0;
};

}  // namespace

TEST(ElapsedClock, ASlowHostStillGetsEveryTickOfAFastTimer) {
  TimerClock clock;
  TickCounter fast(clock, 50);
  const auto start = std::chrono::steady_clock::time_point{} + 1h;
  ElapsedClock elapsed(clock, start);
  // A host idling fifteen times a second, for one second.
  for (int idle = 1; idle <= 15; ++idle) elapsed.CatchUp(start + idle * 66666us);
  EXPECT_EQ(fast.ticks, 19);  // 999.99 ms: the twentieth tick is due at 1000
  elapsed.CatchUp(start + 1s);
  EXPECT_EQ(fast.ticks, 20);
  EXPECT_EQ(clock.Now(), 1000ms);
}

TEST(ElapsedClock, FractionsOfAMillisecondAddUpInsteadOfVanishing) {
  TimerClock clock;
  const auto start = std::chrono::steady_clock::time_point{};
  ElapsedClock elapsed(clock, start);
  for (int i = 1; i <= 10; ++i) elapsed.CatchUp(start + i * 700us);
  EXPECT_EQ(clock.Now(), 7ms);
}

TEST(ElapsedClock, ATimeBeforeTheLastIsIgnored) {
  TimerClock clock;
  const auto start = std::chrono::steady_clock::time_point{} + 1s;
  ElapsedClock elapsed(clock, start);
  elapsed.CatchUp(start + 20ms);
  elapsed.CatchUp(start + 5ms);
  elapsed.CatchUp(start + 30ms);
  EXPECT_EQ(clock.Now(), 30ms);
}
