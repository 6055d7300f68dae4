// The editor's model and the audio thread's copy of the patterns stay equal
// by construction: the audio side repeats the editor's operations in order,
// takes a whole copy when it fell behind, and lets the editor's side decide
// pattern switches and MIDI recalls. Each case sets up one of the races
// that would otherwise leave the copies apart.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "engine/AudioPatterns.h"
#include "engine/EditorPatterns.h"

namespace {

// Stored pattern p holds one cell: row p % 12 at step p.
bool holds(const Pattern& pattern, int p) {
  int cells = 0;
  for (const PatternRow& row : pattern.rows)
    for (const PatternStep& step : row.steps) cells += step.state == kNoteOn;
  return cells == 1 && pattern.rows[p % 12].steps[p].state == kNoteOn;
}

bool same(const Pattern& a, const Pattern& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class PatternExchange : public ::testing::Test {
protected:
  PatternExchange()
      : channel(std::make_unique<PatternChannel>()), editor(*channel), audio(*channel) {
    for (int p = 0; p < kStoredPatterns; ++p) {
      editor.setValue(p, p % 12, kNoteOn, StepState);
      editor.setValue(1, 0, static_cast<VstInt16>(p), PatternStoreRecall);
      editor.setValue(0, 0, 0, PatternClear);
    }
    settle();
  }

  void recall(int p) { editor.setValue(0, 0, static_cast<VstInt16>(p), PatternStoreRecall); }
  // One block of the audio thread with the clock not reaching a step.
  void block(bool playing) {
    audio.beginBlock();
    audio.endBlock(playing);
  }
  // One block in which the clock reaches a step.
  void blockWithStep() {
    audio.beginBlock();
    if (audio.waiting()) audio.takeOver();
    audio.endBlock(true);
  }
  // Both sides take in everything the other signalled.
  void settle() {
    for (int i = 0; i < 64; ++i) {
      (void)editor.getValue(0, 0, StepState);
      audio.beginBlock();
    }
  }
  std::vector<unsigned char> modelImage() {
    std::vector<unsigned char> image(kChunkSize);
    editor.saveImage(image.data());
    return image;
  }
  std::vector<unsigned char> audioImage() {
    std::vector<unsigned char> image(kChunkSize);
    audio.replica().memory.savePatternImage(image.data());
    return image;
  }
  void expectCopiesEqual() {
    settle();
    EXPECT_TRUE(modelImage() == audioImage());
    EXPECT_TRUE(same(audio.playing(), editor.currentPattern()));
  }

  std::unique_ptr<PatternChannel> channel;
  EditorPatterns editor;
  AudioPatterns audio;
};

}  // namespace

TEST_F(PatternExchange, RandomOperationsBetweenBlocksLeaveBothCopiesEqual) {
  std::mt19937 random(7);
  auto any = [&](int n) { return static_cast<VstInt32>(random() % static_cast<unsigned>(n)); };
  bool playing = false;
  for (int round = 0; round < 3000; ++round) {
    for (int n = any(20); n > 0; --n) {
      switch (any(8)) {
        case 0: editor.setValue(any(32), any(12), static_cast<VstInt16>(random()), any(12)); break;
        case 1: editor.setValue(1, 0, static_cast<VstInt16>(any(24)), PatternStoreRecall); break;
        case 2: recall(any(24)); break;
        case 3: channel->postMidiRecall(any(24)); break;
        case 4: editor.setValue(any(24), 0, 1, PatternUsed); break;
        default: editor.setValue(any(32), any(12), kNoteOn, StepState); break;
      }
    }
    if (any(10) == 0) playing = !playing;
    if (playing && any(3) == 0)
      blockWithStep();
    else
      block(playing);
    if (round % 100 == 0) {
      expectCopiesEqual();
      if (HasFailure()) return;
    }
  }
  expectCopiesEqual();
}

TEST_F(PatternExchange, AnEditAfterTheSwitchLandsOnTheNewPatternInBothCopies) {
  block(true);
  recall(3);
  blockWithStep();  // pattern 3 takes over before the editor's side hears of it
  editor.setValue(9, 9, kNoteOn, StepState);
  EXPECT_EQ(editor.getValue(3, 3, StepState), kNoteOn);
  EXPECT_EQ(editor.getValue(9, 9, StepState), kNoteOn);
  expectCopiesEqual();
}

TEST_F(PatternExchange, AnEditBeforeTheSwitchIsReplacedByTheNewPatternInBothCopies) {
  block(true);
  recall(3);
  editor.setValue(9, 9, kNoteOn, StepState);  // on the pattern that is about to go
  blockWithStep();
  EXPECT_TRUE(holds(audio.playing(), 3));
  EXPECT_EQ(editor.getValue(9, 9, StepState), kNoteOff);
  expectCopiesEqual();
}

TEST_F(PatternExchange, AStoreRacingAMidiRecallStoresTheRecalledPatternInBothCopies) {
  block(false);
  channel->postMidiRecall(2);
  block(false);
  EXPECT_TRUE(holds(audio.playing(), 2));  // plays before the editor's side knows
  editor.setValue(1, 0, 7, PatternStoreRecall);
  expectCopiesEqual();
  const auto image = modelImage();
  EXPECT_TRUE(holds(reinterpret_cast<const Pattern*>(image.data())[7], 2));
}

TEST_F(PatternExchange, AMidiRecallPlaysAtTheNextStepWhileTheEditorSideIsIdle) {
  block(true);
  channel->postMidiRecall(5);
  block(true);
  ASSERT_NE(audio.waiting(), nullptr);
  EXPECT_TRUE(holds(*audio.waiting(), 5));
  blockWithStep();
  EXPECT_TRUE(holds(audio.playing(), 5));
  EXPECT_EQ(audio.waiting(), nullptr);
  settle();  // the editor's side queues it, hears that it took over, makes it current
  EXPECT_EQ(editor.getValue(5, 5, StepState), kNoteOn);
  expectCopiesEqual();
}

TEST_F(PatternExchange, ARingOverflowWhileTheAudioSideSleepsIsCoveredByACopyOfTheModel) {
  for (std::size_t i = 0; i < 3 * OpRing::kCapacity; ++i)
    editor.setValue(static_cast<VstInt32>(i % 32), static_cast<VstInt32>(i % 12),
                    static_cast<VstInt16>(i), StepVelocity);
  block(false);
  EXPECT_GE(audio.replica().appliedSeq, 2 * OpRing::kCapacity);  // a copy, not the ring
  expectCopiesEqual();
}

TEST_F(PatternExchange, AChunkLoadWhilePlayingReplacesTheWaitingPatternAndKeepsTheSwitch) {
  block(true);
  recall(4);
  block(true);
  std::vector<unsigned char> image = modelImage();
  auto* slots = reinterpret_cast<Pattern*>(image.data());
  slots[kQueuedSlot] = slots[11];
  ASSERT_TRUE(editor.loadImage(image.data(), image.size()));
  block(true);
  ASSERT_NE(audio.waiting(), nullptr);
  EXPECT_TRUE(holds(*audio.waiting(), 11));
  blockWithStep();
  EXPECT_EQ(editor.getValue(11, 11, StepState), kNoteOn);
  expectCopiesEqual();
}

TEST_F(PatternExchange, AStandingRecallCancelsTheWaitingSwitch) {
  block(true);
  recall(4);
  block(false);  // the transport stops before the next step
  recall(6);
  block(false);
  EXPECT_EQ(audio.waiting(), nullptr);
  EXPECT_TRUE(holds(audio.playing(), 6));
  EXPECT_EQ(editor.getValue(4, 4, StepState), kNoteOff);
  expectCopiesEqual();
}

TEST_F(PatternExchange, TheLastRecallBeforeTheStepWinsWhoeverMadeIt) {
  block(true);
  recall(4);
  recall(6);
  channel->postMidiRecall(8);
  blockWithStep();
  EXPECT_TRUE(holds(audio.playing(), 8));
  settle();
  EXPECT_TRUE(holds(audio.playing(), 8));
  EXPECT_TRUE(holds(editor.currentPattern(), 8));
  expectCopiesEqual();
}
