// The block timer hands out blocks and sends their events at steady
// wall-clock moments counted from its start: late wakes never add up.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>
#include <vector>

#include "host/VstHost.h"
#include "host/standalone/BlockTimer.h"
#include "tests/standalone/RecordingMidiOutput.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration_cast;
using std::chrono::microseconds;
using std::chrono::nanoseconds;

constexpr double kRate = 48000.0;
constexpr VstInt32 kFrames = 32;  // short blocks: many wakes, so drift would show soon
constexpr std::size_t kMostBlocks = 8000;

// Plays three notes a block, on its first, middle and last frame, each
// numbered by its block, and notes when each block was asked for.
class NumberedBlocks final : public BlockSource {
public:
  NumberedBlocks() { played_.reserve(kMostBlocks); }

  std::span<const VstMidiEvent> play(VstInt32 frames) override {
    const auto block = played_.size();
    if (block == kMostBlocks) return {};
    played_.push_back({Clock::now(), timer->timeLetGo()});
    const auto number = static_cast<unsigned char>(block % 128);
    const VstInt32 offsets[3] = {0, frames / 2, frames - 1};
    for (std::size_t i = 0; i < 3; ++i) events_[i] = midiEvent(0x90, number, static_cast<unsigned char>(i + 1), offsets[i]);
    return events_;
  }

  struct Played {
    Clock::time_point at;
    nanoseconds letGo;  // what the timer had let go by then
  };
  const std::vector<Played>& played() const { return played_; }

  const BlockTimer* timer = nullptr;

private:
  std::vector<Played> played_;
  std::array<VstMidiEvent, 3> events_{};
};

nanoseconds frameTime(std::int64_t frame) {
  return nanoseconds(static_cast<std::int64_t>(static_cast<double>(frame) * 1e9 / kRate));
}

// Median lateness, in microseconds, of a stretch of the run.
double medianLateness(std::vector<double> lateness, std::size_t from, std::size_t to) {
  std::vector<double> part(lateness.begin() + static_cast<std::ptrdiff_t>(from),
                           lateness.begin() + static_cast<std::ptrdiff_t>(to));
  std::nth_element(part.begin(), part.begin() + static_cast<std::ptrdiff_t>(part.size() / 2), part.end());
  return part[part.size() / 2];
}

}  // namespace

// Over three seconds blocks arrive in order, each event goes out no
// earlier than its frame's moment and after the events before it, and the
// end of the run is no later against the clock than its beginning.
TEST(BlockTimer, BlocksAndEventsKeepToTheClockWithoutDrift) {
  NumberedBlocks source;
  RecordingMidiOutput output(3 * kMostBlocks);
  BlockTimer timer(source, output, kRate, kFrames);
  source.timer = &timer;
  timer.start();
  std::this_thread::sleep_for(std::chrono::seconds(3));
  timer.stop();

  const auto& played = source.played();
  const auto sent = output.sent();
  ASSERT_GE(played.size(), 400u) << "the timer hardly ran";
  ASSERT_LT(played.size(), kMostBlocks);
  ASSERT_EQ(sent.size(), 3 * played.size()) << "a block's events were not all sent before it stopped";
  EXPECT_EQ(timer.blocksPlayed(), played.size());

  const Clock::time_point origin = timer.startedAt();
  std::vector<double> blockLateness;
  std::vector<double> eventLateness;
  for (std::size_t block = 0; block < played.size(); ++block) {
    const Clock::time_point due = origin + played[block].letGo + frameTime(static_cast<std::int64_t>(block) * kFrames);
    blockLateness.push_back(static_cast<double>(duration_cast<microseconds>(played[block].at - due).count()));
    for (std::size_t i = 0; i < 3; ++i) {
      const auto& s = sent[3 * block + i];
      SCOPED_TRACE(testing::Message() << "block " << block << " event " << i);
      ASSERT_EQ(s.event.midiData[1], block % 128) << "events out of order";
      ASSERT_EQ(s.event.midiData[2], i + 1) << "events out of order";
      const Clock::time_point eventDue = due + frameTime(s.event.deltaFrames);
      ASSERT_GE(s.at, eventDue) << "an event went out before its moment";
      if (block + 1 < played.size()) {
        ASSERT_LE(s.at, played[block + 1].at) << "a block came before its predecessor's events";
      }
      eventLateness.push_back(static_cast<double>(duration_cast<microseconds>(s.at - eventDue).count()));
    }
  }
  // A timer that counted each wait from its last wake would lose at least
  // the wake-up delay on each of these hundreds of blocks: its last quarter
  // would lag its first by many milliseconds. Jitter stays out of it: only
  // the medians of whole quarters are compared.
  const std::size_t quarter = played.size() / 4;
  const double firstBlocks = medianLateness(blockLateness, 0, quarter);
  const double lastBlocks = medianLateness(blockLateness, played.size() - quarter, played.size());
  EXPECT_LT(lastBlocks - firstBlocks, 15000.0) << "blocks drift: " << firstBlocks << " us late at first, "
                                                << lastBlocks << " us at the end";
  RecordProperty("blocks", static_cast<int>(played.size()));
  RecordProperty("median_block_lateness_us_first_quarter", static_cast<int>(firstBlocks));
  RecordProperty("median_block_lateness_us_last_quarter", static_cast<int>(lastBlocks));
  const double firstEvents = medianLateness(eventLateness, 0, 3 * quarter);
  const double lastEvents = medianLateness(eventLateness, eventLateness.size() - 3 * quarter, eventLateness.size());
  EXPECT_LT(lastEvents - firstEvents, 15000.0) << "events drift: " << firstEvents << " us late at first, "
                                                << lastEvents << " us at the end";
}

// Stopping ends the thread at once and asks for no further block.
TEST(BlockTimer, StopEndsTheThreadAndTheBlocks) {
  NumberedBlocks source;
  RecordingMidiOutput output(3 * kMostBlocks);
  BlockTimer timer(source, output, kRate, kFrames);
  source.timer = &timer;
  timer.start();
  while (timer.blocksPlayed() < 10) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  timer.stop();
  const std::size_t blocks = source.played().size();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(source.played().size(), blocks);
  EXPECT_EQ(output.sent().size(), 3 * blocks);
}
