// The step the plug-in tells its editor is playing: the step of the pattern
// in whose grid time the last block ended, nothing while the transport
// stands, and nothing while the step belongs to a pattern that the editor's
// side cannot show yet.
#include <gtest/gtest.h>

#include "host/PatternImage.h"
#include "host/VstHost.h"
#include "tests/engine/DirectHost.h"

namespace {

constexpr int kNone = PlayingStep::kNone;

struct BlockCase {
  double ppqPos;
  VstInt32 frames;
  VstInt16 rowShift;
  int step;
};

// At 44100 Hz and 120 BPM a quarter note is 22050 frames, a step 5512.5.
const BlockCase kBlocks[] = {
    {8.0, 512, 0, 0},       // the anchor: bar 8 starts the pattern
    {9.0, 512, 0, 4},
    {4.0, 512, 0, 16},      // bar 4 is the pattern's second bar
    {7.9, 512, 0, 31},      // the last step before the wrap
    {15.99, 512, 0, 0},     // a block running over the wrap ends in step 0
    {9.0, 5512, 0, 4},      // the last frame is the one before step 5 starts
    {9.0, 5513, 0, 5},      // the last frame is step 5's first
    {8.0, 20000, 0, 3},     // a block over several steps: where it ends
    {9.0, 512, -1000, 4},   // shifts move notes, not the step the transport is in
    {9.24, 512, 1000, 5},
};

void playFrom(DirectHost& host, double ppqPos, VstInt32 frames) {
  host.time = playingAt(ppqPos);
  host.play(frames);
}

}  // namespace

TEST(PlayingStep, IsTheStepInWhichTheLastBlockEnded) {
  for (const BlockCase& c : kBlocks) {
    DirectHost host;
    for (int row = 0; row < 12; ++row)
      for (int step = 0; step < 32; ++step) host.plugin().setPatternValue(step, row, c.rowShift, StepShift);
    playFrom(host, c.ppqPos, c.frames);
    EXPECT_EQ(host.plugin().playingStep(), c.step)
        << "block of " << c.frames << " frames from " << c.ppqPos << ", shifts " << c.rowShift;
  }
}

TEST(PlayingStep, IsNoneWhenTheTransportStandsHasNoTimeOrIsSwitchedOff) {
  DirectHost host;
  EXPECT_EQ(host.plugin().playingStep(), kNone) << "before any block";
  playFrom(host, 9.0, 512);
  ASSERT_EQ(host.plugin().playingStep(), 4);

  host.time.flags &= ~kVstTransportPlaying;
  host.play(512);
  EXPECT_EQ(host.plugin().playingStep(), kNone) << "standing";

  playFrom(host, 9.0, 512);
  host.play(0);
  EXPECT_EQ(host.plugin().playingStep(), 4) << "a block without frames plays nothing new";

  host.hasTime = false;
  host.play(512);
  EXPECT_EQ(host.plugin().playingStep(), kNone) << "no time information";

  host.hasTime = true;
  host.time = playingAt(9.0, 0.0);
  host.play(512);
  EXPECT_EQ(host.plugin().playingStep(), kNone) << "a tempo of 0";

  playFrom(host, 9.0, 512);
  AEffect* effect = host.plugin().getAeffect();
  effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(host.plugin().playingStep(), kNone) << "switched off, the host plays no more blocks";
}

// A key recalls a pattern that the audio thread plays from the next step on,
// before the editor's side has carried the recall out: until it has, the
// editor would show that step over the pattern before it.
TEST(PlayingStep, AMidiRecallThatPlaysShowsNoStepUntilTheEditorsSideHasIt) {
  DirectHost host;
  PatternImage image;
  image.setCell(2, 0, 5);
  ASSERT_TRUE(host.load(image.bytes()));
  playFrom(host, 8.0 + 4.5 * 0.25, 512);  // in step 4
  ASSERT_EQ(host.plugin().playingStep(), 4);

  VstMidiEvent key = midiEvent(0x90, 50, 100);
  VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&key), nullptr}};
  host.plugin().processEvents(&list);
  host.time = playingAt(8.0 + 5 * 0.25);
  host.play(512);  // step 5 plays, from the recalled pattern
  ASSERT_FALSE(host.lists.empty());
  EXPECT_EQ(host.plugin().playingStep(), kNone);

  // The editor's next read carries the recall out; after the next block the
  // editor's model and the audio thread agree again.
  EXPECT_EQ(host.plugin().getPatternValue(5, 0, StepState), 0x80);
  host.time.ppqPos += 512.0 / 22050.0;
  host.play(512);
  EXPECT_EQ(host.plugin().playingStep(), 5);
  EXPECT_EQ(host.plugin().getPatternValue(5, 0, StepState), 0x90);
}
