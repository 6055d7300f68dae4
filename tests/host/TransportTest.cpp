// The substitute host's transport behaves as real hosts' do: the musical
// position is worked out from the sample position at every block, loops are
// split exactly at their end, a locate lands at the next block and says so.
#include <gtest/gtest.h>

#include <cmath>

#include "host/VstHost.h"

namespace {

struct TransportInHost : ::testing::Test {
  TransportInHost() : host(QUAVERLIN_PLUGIN_PATH) { host.start(44100.0, 512); }
  VstHost host;
};

}  // namespace

TEST_F(TransportInHost, ThePositionFollowsTheSampleCountNotASumOfBlocks) {
  host.transport.tempo = 127.0;
  for (int i = 0; i < 20000; ++i) host.processBlock(441);
  for (const PlayedBlock& block : host.blocks) {
    ASSERT_EQ(block.time.ppqPos, block.time.samplePos / 44100.0 * 127.0 / 60.0);
    ASSERT_EQ(block.time.barStartPos, std::floor(block.time.ppqPos / 4.0) * 4.0);
    ASSERT_EQ(block.time.samplePos, block.elapsed);
  }
  const VstInt32 valid = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  EXPECT_EQ(host.blocks.front().time.flags, valid | kVstTransportPlaying | kVstTransportChanged);
  EXPECT_EQ(host.blocks.back().time.flags, valid | kVstTransportPlaying);
}

TEST_F(TransportInHost, ALoopOfThreeBarsSplitsTheBlockAtItsEndAndGoesOnAtItsStart) {
  host.transport.loopStart = 4.0;  // bars 2 to 4
  host.transport.loopEnd = 16.0;
  host.transport.locate(4.0);
  for (int i = 0; i < 1200; ++i) host.processBlock(512);
  int wraps = 0;
  for (std::size_t i = 1; i < host.blocks.size(); ++i) {
    const PlayedBlock& before = host.blocks[i - 1];
    const PlayedBlock& block = host.blocks[i];
    ASSERT_LT(block.time.ppqPos, 16.0);
    ASSERT_EQ(block.elapsed, before.elapsed + before.frames);
    if (block.time.ppqPos < before.time.ppqPos) {
      ++wraps;
      // 12 quarter notes are 264600 frames: the block ends exactly there.
      EXPECT_EQ(before.time.samplePos + before.frames, 88200.0 + 264600.0);
      EXPECT_EQ(block.time.ppqPos, 4.0);
      EXPECT_EQ(block.time.samplePos, 88200.0);
      EXPECT_EQ(before.frames + block.frames, 512);
      EXPECT_TRUE(block.time.flags & kVstTransportChanged);
    }
    EXPECT_TRUE(block.time.flags & kVstTransportCycleActive);
    EXPECT_EQ(block.time.cycleEndPos, 16.0);
  }
  EXPECT_EQ(wraps, 2);  // 1200 blocks of 512 frames cross the loop's end twice
}

TEST_F(TransportInHost, ALocateLandsExactlyAndATempoChangeKeepsThePosition) {
  host.processBlock(512);
  host.transport.locate(8.0 - 1.0 / 64);
  host.processBlock(512);
  EXPECT_EQ(host.blocks.back().time.ppqPos, 8.0 - 1.0 / 64);
  EXPECT_TRUE(host.blocks.back().time.flags & kVstTransportChanged);
  host.processBlock(512);
  EXPECT_FALSE(host.blocks.back().time.flags & kVstTransportChanged);

  const double before = host.transport.ppqPos();
  host.transport.changeTempo(90.0);
  EXPECT_DOUBLE_EQ(host.transport.ppqPos(), before);
  host.processBlock(512);
  host.processBlock(512);
  EXPECT_NEAR(host.blocks.back().time.ppqPos, before + 512.0 / 44100.0 * 90.0 / 60.0, 1e-12);
  EXPECT_EQ(host.blocks.back().time.tempo, 90.0);
}
