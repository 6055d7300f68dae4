// The plug-in played by the program's own block timer into a MIDI output,
// with the program's own transport: what quaverlin.exe runs in place of a
// JACK server's process callback.
#pragma once

#include <atomic>
#include <chrono>
#include <span>

#include "host/standalone/BlockTimer.h"
#include "host/standalone/MidiOutput.h"
#include "host/standalone/SongClock.h"
#include "host/standalone/StandaloneHost.h"

class TimerPlayer final : private BlockSource {
public:
  TimerPlayer(StandaloneHost& plugin, SongClock& clock, MidiOutput& output, double sampleRate, VstInt32 frames);

  // Switches the plug-in on and starts handing it blocks.
  void start();
  // Stops the transport and waits (at most `patience`) until the block that
  // carries the plug-in's stop, its note-offs, has been sent; then the timer
  // ends. The plug-in stays open.
  void finish(std::chrono::milliseconds patience);

  // Since the start: events the plug-in sent beyond what a block holds, and
  // events it timed outside their block.
  std::size_t lostEvents() const { return lost_.load(); }
  std::size_t movedEvents() const { return moved_.load(); }

private:
  std::span<const VstMidiEvent> play(VstInt32 frames) override;

  StandaloneHost& plugin_;
  SongClock& clock_;
  const double sampleRate_;
  const VstInt32 frames_;
  BlockTimer timer_;
  std::atomic<std::size_t> lost_{0};
  std::atomic<std::size_t> moved_{0};
};
