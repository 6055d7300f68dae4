#include <windows.h>

#include <mmsystem.h>

#include "host/standalone/PreciseWait.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// A waitable timer with the high-resolution flag where Windows has it (10
// version 1803 on); elsewhere an ordinary one, with the system's timer
// period lowered to 1 ms so that it wakes within a millisecond.
struct PreciseWait::System {
  HANDLE timer = nullptr;
  bool periodLowered = false;
};

PreciseWait::PreciseWait() : system_(std::make_unique<System>()) {
  system_->timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (system_->timer == nullptr) {
    system_->periodLowered = timeBeginPeriod(1) == TIMERR_NOERROR;
    system_->timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
  }
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

PreciseWait::~PreciseWait() {
  if (system_->timer != nullptr) CloseHandle(system_->timer);
  if (system_->periodLowered) timeEndPeriod(1);
}

void PreciseWait::until(std::chrono::steady_clock::time_point moment) {
  using Ticks = std::chrono::duration<LONGLONG, std::ratio<1, 10000000>>;  // FILETIME's 100 ns
  for (;;) {
    const auto left = moment - std::chrono::steady_clock::now();
    if (left <= left.zero()) return;
    const LONGLONG ticks = std::chrono::ceil<Ticks>(left).count();
    LARGE_INTEGER due;
    due.QuadPart = -ticks;  // negative: relative to now
    if (system_->timer != nullptr && SetWaitableTimer(system_->timer, &due, 0, nullptr, nullptr, FALSE))
      WaitForSingleObject(system_->timer, INFINITE);
    else
      Sleep(static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
  }
}
