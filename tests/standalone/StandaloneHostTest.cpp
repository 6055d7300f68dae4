// The standalone program's runner plays the built plug-in block by block
// with the time its clock gives and collects what it sends: the pattern's
// notes at their steps' frames, the stop's twelve note-offs once, and not
// one allocation on the way.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "host/PatternImage.h"
#include "host/standalone/SongClock.h"
#include "host/standalone/StandaloneHost.h"
#include "tests/engine/AllocationWatch.h"

namespace {

constexpr int kCurrent = PatternImage::kCurrent;
constexpr VstInt32 kBlock = 256;
constexpr double kRate = 48000.0;
constexpr long kFramesPerStep = 6000;  // a sixteenth at 120 BPM and 48 kHz

using Note = std::tuple<long, int, int, int>;  // frame in the song, status, note, velocity

// A quarter-note pulse on channel 3 and one late sixteenth on channel 10.
PatternImage pulse() {
  PatternImage image;
  image.setRow(kCurrent, 0, 60, 2);
  for (int step = 0; step < 32; step += 4) image.setCell(kCurrent, 0, step, 100);
  image.setRow(kCurrent, 1, 62, 9);
  image.setCell(kCurrent, 1, 2, 80, 1, 300);
  return image;
}

class Runner : public ::testing::Test {
protected:
  Runner() { host.start(kRate, kBlock); }

  // Plays blocks and keeps what they sent, the song's frame counted from 0.
  void play(int blocks, std::vector<Note>& sent) {
    for (int block = 0; block < blocks; ++block) {
      const VstTimeInfo time = clock.nextBlock(kRate, kBlock);
      for (const VstMidiEvent& event : host.runBlock(time, kBlock))
        sent.emplace_back(static_cast<long>(time.samplePos) + event.deltaFrames, event.midiData[0],
                          event.midiData[1], event.midiData[2]);
    }
  }

  StandaloneHost host{QUAVERLIN_PLUGIN_PATH};
  SongClock clock{120.0, true};
};

std::vector<Note> noteOns(const std::vector<Note>& sent) {
  std::vector<Note> ons;
  for (const Note& note : sent)
    if ((std::get<1>(note) & 0xF0) == 0x90) ons.push_back(note);
  return ons;
}

}  // namespace

TEST_F(Runner, APatternPlaysOnItsStepGridWithoutAllocating) {
  PatternImage image = pulse();
  ASSERT_TRUE(host.loadChunk(image.bytes()));
  std::vector<Note> sent;
  sent.reserve(256);
  {
    AllocationWatch watch;
    play(static_cast<int>(32 * kFramesPerStep / kBlock), sent);  // two bars
  }
  EXPECT_EQ(AllocationWatch::total(), 0);
  std::vector<Note> expected;
  for (int quarter = 0; quarter < 8; ++quarter) {
    expected.emplace_back(quarter * 4 * kFramesPerStep, 0x92, 60, 100);
    if (quarter == 0) expected.emplace_back(2 * kFramesPerStep + 300, 0x99, 62, 80);
  }
  EXPECT_EQ(noteOns(sent), expected);
}

TEST_F(Runner, StoppingSendsTwelveNoteOffsOnceAtTheBlocksStart) {
  PatternImage image = pulse();
  ASSERT_TRUE(host.loadChunk(image.bytes()));
  std::vector<Note> sent;
  play(100, sent);
  clock.setPlaying(false);
  sent.clear();
  play(1, sent);
  ASSERT_EQ(sent.size(), 12u);
  for (const Note& note : sent) {
    EXPECT_EQ(std::get<0>(note), 100 * kBlock);
    EXPECT_EQ(std::get<1>(note) & 0xF0, 0x80);
  }
  sent.clear();
  play(10, sent);
  EXPECT_TRUE(sent.empty());
}

// JACK may change its buffer size or rate between cycles: the next block
// plays at the new format, on the new grid.
TEST_F(Runner, AFormatChangeTakesEffectAtTheNextBlock) {
  PatternImage image = pulse();
  ASSERT_TRUE(host.loadChunk(image.bytes()));
  host.changeFormat(96000.0, 1024);
  std::vector<Note> sent;
  for (int block = 0; block < 24; ++block) {
    const VstTimeInfo time = clock.nextBlock(96000.0, 1024);
    for (const VstMidiEvent& event : host.runBlock(time, 1024))
      if ((event.midiData[0] & 0xF0) == 0x90)
        sent.emplace_back(static_cast<long>(time.samplePos) + event.deltaFrames, event.midiData[0],
                          event.midiData[1], event.midiData[2]);
  }
  EXPECT_EQ(sent, (std::vector<Note>{{0, 0x92, 60, 100}, {24000 + 300, 0x99, 62, 80}}));
}

// What the editor changes is what a save writes, and a chunk of the wrong size is refused.
TEST_F(Runner, ChunksGoInAndComeOutWhole) {
  PatternImage image = pulse();
  ASSERT_TRUE(host.loadChunk(image.bytes()));
  const std::vector<std::uint8_t> saved = host.chunk();
  ASSERT_EQ(saved.size(), PatternImage::kSize);
  PatternImage back({saved.begin(), saved.end()});
  EXPECT_EQ(back.shift(kCurrent, 1, 2), 300);
  EXPECT_FALSE(host.loadChunk(std::vector<std::uint8_t>(100, 0)));
  EXPECT_EQ(host.chunk(), saved);
}
