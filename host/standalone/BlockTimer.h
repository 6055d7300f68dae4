// The standalone program's own audio clock where no sound system drives
// it: a thread that asks for a block of a fixed number of frames at the
// wall-clock moment each block starts, and sends each of the block's MIDI
// events at the moment of its frame. Moments are counted from the start,
// never from the last wake, so late wakes do not add up to drift.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <thread>

#include "frame/DAEffectX.h"
#include "host/standalone/MidiOutput.h"

class BlockSource {
public:
  virtual ~BlockSource() = default;
  // The timer's thread: plays the next block; its events lie inside the
  // block in time order and stay valid until the next call.
  virtual std::span<const VstMidiEvent> play(VstInt32 frames) = 0;
};

class BlockTimer {
public:
  // A block that starts later than this (the machine stalled) does not
  // make the following ones rush to catch up: that time is let go.
  static constexpr std::chrono::milliseconds kStall{200};

  BlockTimer(BlockSource& source, MidiOutput& output, double sampleRate, VstInt32 frames);
  ~BlockTimer();
  BlockTimer(const BlockTimer&) = delete;
  BlockTimer& operator=(const BlockTimer&) = delete;

  void start();
  // Returns once the thread has ended, after the block in progress has
  // sent all its events.
  void stop();

  // When start() was called: the moment the first block was due, from
  // which all later moments are counted.
  std::chrono::steady_clock::time_point startedAt() const { return started_; }
  // Any thread.
  std::uint64_t blocksPlayed() const { return blocks_.load(); }
  // The thread itself, or once it has stopped: the time let go after stalls.
  std::chrono::nanoseconds timeLetGo() const { return letGo_; }

private:
  void run();
  std::chrono::nanoseconds sinceStart(std::int64_t frame) const;

  BlockSource& source_;
  MidiOutput& output_;
  const double sampleRate_;
  const VstInt32 frames_;
  std::atomic<bool> stopping_{false};
  std::atomic<std::uint64_t> blocks_{0};
  std::chrono::steady_clock::time_point started_;
  std::chrono::nanoseconds letGo_{0};
  std::thread thread_;
};
