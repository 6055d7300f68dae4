#include "host/standalone/BlockTimer.h"

#include <cmath>

#include "host/standalone/PreciseWait.h"

BlockTimer::BlockTimer(BlockSource& source, MidiOutput& output, double sampleRate, VstInt32 frames)
    : source_(source), output_(output), sampleRate_(sampleRate), frames_(frames) {}

BlockTimer::~BlockTimer() { stop(); }

void BlockTimer::start() {
  stopping_ = false;
  started_ = std::chrono::steady_clock::now();
  thread_ = std::thread([this] { run(); });
}

void BlockTimer::stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
}

// Worked out afresh for every frame, so rounding never accumulates.
std::chrono::nanoseconds BlockTimer::sinceStart(std::int64_t frame) const {
  return std::chrono::nanoseconds(std::llround(static_cast<double>(frame) * 1e9 / sampleRate_));
}

void BlockTimer::run() {
  using Clock = std::chrono::steady_clock;
  PreciseWait wait;
  Clock::time_point origin = started_;
  for (std::int64_t blockFrame = 0; !stopping_.load(); blockFrame += frames_) {
    const Clock::time_point blockStart = origin + sinceStart(blockFrame);
    wait.until(blockStart);
    const auto late = Clock::now() - blockStart;
    if (late > kStall) {
      origin += late;
      letGo_ += std::chrono::duration_cast<std::chrono::nanoseconds>(late);
    }
    for (const VstMidiEvent& event : source_.play(frames_)) {
      wait.until(origin + sinceStart(blockFrame + event.deltaFrames));
      output_.send(event);
    }
    blocks_.fetch_add(1);
  }
}
