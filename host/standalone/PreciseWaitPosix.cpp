#include <thread>

#include "host/standalone/PreciseWait.h"

// clock_nanosleep on the monotonic clock is already as fine as the kernel
// schedules; there is nothing to set up.
struct PreciseWait::System {};

PreciseWait::PreciseWait() = default;
PreciseWait::~PreciseWait() = default;

void PreciseWait::until(std::chrono::steady_clock::time_point moment) {
  while (std::chrono::steady_clock::now() < moment) std::this_thread::sleep_until(moment);
}
