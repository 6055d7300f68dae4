// quaverlin.exe's player: the built plug-in, driven by the block timer in
// real time, plays its pattern into a MIDI output, and finishing sends the
// stop's twelve note-offs before the timer ends.
#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "host/PatternImage.h"
#include "host/standalone/TimerPlayer.h"
#include "tests/standalone/RecordingMidiOutput.h"

namespace {

using Message = std::tuple<int, int, int>;  // status, note, velocity

Message message(const VstMidiEvent& event) { return {event.midiData[0], event.midiData[1], event.midiData[2]}; }

}  // namespace

// A second and a bit at 120 BPM: three quarter-note pulses and one sixteenth,
// then the stop's note-off for every row, last and once.
TEST(TimerPlayer, PlaysThePatternAndEndsWithTheStopsNoteOffs) {
  constexpr int kCurrent = PatternImage::kCurrent;
  PatternImage image;
  image.setRow(kCurrent, 0, 60, 2);
  for (int step = 0; step < 32; step += 4) image.setCell(kCurrent, 0, step, 100);
  image.setRow(kCurrent, 1, 62, 9);
  image.setCell(kCurrent, 1, 2, 80);

  StandaloneHost plugin(QUAVERLIN_PLUGIN_PATH);
  ASSERT_TRUE(plugin.loadChunk(image.bytes()));
  SongClock clock(120.0, true);
  RecordingMidiOutput output(1000);
  TimerPlayer player(plugin, clock, output, 48000.0, 128);
  player.start();
  std::this_thread::sleep_for(std::chrono::milliseconds(1150));
  player.finish(std::chrono::milliseconds(500));
  const auto sent = output.sent();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(output.sent().size(), sent.size()) << "the timer went on after finishing";

  std::vector<Message> noteOns;
  for (const auto& s : sent)
    if ((s.event.midiData[0] & 0xF0) == 0x90) noteOns.push_back(message(s.event));
  const std::vector<Message> pattern = {{0x92, 60, 100}, {0x99, 62, 80}, {0x92, 60, 100}, {0x92, 60, 100}};
  ASSERT_GE(noteOns.size(), pattern.size());
  EXPECT_EQ(std::vector<Message>(noteOns.begin(), noteOns.begin() + 4), pattern);

  ASSERT_GE(sent.size(), 12u);
  std::set<std::pair<int, int>> stopped;  // status and note of the last twelve
  for (auto s = sent.end() - 12; s != sent.end(); ++s) {
    EXPECT_EQ(s->event.midiData[0] & 0xF0, 0x80);
    stopped.insert({s->event.midiData[0], s->event.midiData[1]});
  }
  std::set<std::pair<int, int>> rows = {{0x82, 60}, {0x89, 62}};
  for (int row = 2; row < 12; ++row) rows.insert({0x80, 59 - row});
  EXPECT_EQ(stopped, rows);
  for (std::size_t i = 1; i < sent.size(); ++i) ASSERT_LE(sent[i - 1].at, sent[i].at);
  EXPECT_EQ(player.lostEvents(), 0u);
  EXPECT_EQ(player.movedEvents(), 0u);
  plugin.close();
}
