// The program's own clock is a host's transport: the sample count is the
// truth, the musical position is worked out from it at every block, and a
// start or stop asked for from another thread lands between blocks.
#include <gtest/gtest.h>

#include <thread>

#include "host/standalone/SongClock.h"

// At 48 kHz and 120 BPM a quarter note is 24000 samples.
TEST(SongClock, PositionFollowsTheSampleCountWhilePlayingOnly) {
  SongClock clock(120.0, true);
  VstTimeInfo time{};
  for (int block = 0; block < 1000; ++block) time = clock.nextBlock(48000.0, 256);
  EXPECT_EQ(time.samplePos, 999.0 * 256);
  EXPECT_DOUBLE_EQ(time.ppqPos, 999.0 * 256 / 24000.0);
  EXPECT_DOUBLE_EQ(time.barStartPos, 8.0);  // 10.656 quarters: the third bar
  EXPECT_DOUBLE_EQ(time.tempo, 120.0);
  EXPECT_EQ(time.sampleRate, 48000.0);
  EXPECT_TRUE(time.flags & kVstTransportPlaying);

  clock.setPlaying(false);
  const VstTimeInfo first = clock.nextBlock(48000.0, 256);
  const VstTimeInfo second = clock.nextBlock(48000.0, 256);
  EXPECT_FALSE(first.flags & kVstTransportPlaying);
  EXPECT_EQ(first.samplePos, 1000.0 * 256);
  EXPECT_EQ(second.samplePos, first.samplePos);
}

// Space in the window toggles on the interface thread; the audio thread sees it at its next block.
TEST(SongClock, AToggleFromAnotherThreadLandsAtTheNextBlock) {
  SongClock clock(90.0);
  EXPECT_FALSE(clock.nextBlock(44100.0, 64).flags & kVstTransportPlaying);
  std::thread([&] { clock.togglePlaying(); }).join();
  EXPECT_TRUE(clock.playing());
  EXPECT_TRUE(clock.nextBlock(44100.0, 64).flags & kVstTransportPlaying);
  clock.togglePlaying();
  EXPECT_FALSE(clock.nextBlock(44100.0, 64).flags & kVstTransportPlaying);
}

// A JACK server counts the samples: the clock lays its tempo over any count it is given, jumps included.
TEST(SongClock, ASampleCountFromOutsideGetsThisClocksTempo) {
  SongClock clock(150.0);
  const struct {
    double samplePos;
    double ppqPos;
    double barStartPos;
  } cases[] = {{0, 0, 0}, {19200, 1, 0}, {96000, 5, 4}, {9600, 0.5, 0}, {153600, 8, 8}};
  for (const auto& c : cases) {
    const VstTimeInfo time = clock.timeAt(c.samplePos, 48000.0, true);
    EXPECT_DOUBLE_EQ(time.ppqPos, c.ppqPos) << c.samplePos;
    EXPECT_DOUBLE_EQ(time.barStartPos, c.barStartPos) << c.samplePos;
    EXPECT_EQ(time.samplePos, c.samplePos);
    EXPECT_TRUE(time.flags & kVstTransportPlaying);
  }
  EXPECT_FALSE(clock.timeAt(96000, 48000.0, false).flags & kVstTransportPlaying);
}
