#include "host/standalone/TimerPlayer.h"

#include <thread>

TimerPlayer::TimerPlayer(StandaloneHost& plugin, SongClock& clock, MidiOutput& output, double sampleRate,
                         VstInt32 frames)
    : plugin_(plugin), clock_(clock), sampleRate_(sampleRate), frames_(frames),
      timer_(*this, output, sampleRate, frames) {}

void TimerPlayer::start() {
  plugin_.start(sampleRate_, frames_);
  timer_.start();
}

std::span<const VstMidiEvent> TimerPlayer::play(VstInt32 frames) {
  CollectedEvents& events = plugin_.runBlock(clock_.nextBlock(sampleRate_, frames), frames);
  lost_.fetch_add(events.takeDroppedCount(), std::memory_order_relaxed);
  moved_.fetch_add(events.takeMovedCount(), std::memory_order_relaxed);
  return {events.begin(), events.size()};
}

void TimerPlayer::finish(std::chrono::milliseconds patience) {
  clock_.setPlaying(false);
  // The block under way may have started before the stop; the one after it
  // carries the note-offs, sent before the timer counts it played.
  const std::uint64_t stoppedFrom = timer_.blocksPlayed() + 2;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (timer_.blocksPlayed() < stoppedFrom && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  timer_.stop();
}
