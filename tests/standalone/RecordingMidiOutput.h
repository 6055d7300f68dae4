// A MIDI output for tests: keeps every message sent and when it was sent.
#pragma once

#include <chrono>
#include <mutex>
#include <vector>

#include "host/standalone/MidiOutput.h"

class RecordingMidiOutput final : public MidiOutput {
public:
  struct Sent {
    std::chrono::steady_clock::time_point at;
    VstMidiEvent event;
  };

  // Room for this many messages is made at once, so sending never allocates.
  explicit RecordingMidiOutput(std::size_t room) { sent_.reserve(room); }

  void send(const VstMidiEvent& event) override {
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(mutex_);
    if (sent_.size() < sent_.capacity()) sent_.push_back({now, event});
  }

  std::vector<Sent> sent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sent_;
  }

private:
  mutable std::mutex mutex_;
  std::vector<Sent> sent_;
};
