// The pattern memory through its accessor: defaults, the twelve kinds, store,
// recall and clear, and the chunk.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/engine/DirectHost.h"

namespace {

class PatternAccessor : public ::testing::Test {
protected:
  VstInt16 get(VstInt32 step, VstInt32 row, VstInt32 kind) {
    return host.plugin().getPatternValue(step, row, kind);
  }
  void set(VstInt32 step, VstInt32 row, VstInt32 value, VstInt32 kind) {
    host.plugin().setPatternValue(step, row, static_cast<VstInt16>(value), kind);
  }
  DirectHost host;
};

}  // namespace

TEST_F(PatternAccessor, ANewInstanceHoldsEmptyPatternsWithFallingRowNotes) {
  const auto image = host.image();
  ASSERT_EQ(image.size(), 121160u);
  const auto* patterns = reinterpret_cast<const Pattern*>(image.data());
  for (int slot = 0; slot < kPatternSlots; ++slot) {
    EXPECT_EQ(patterns[slot].defaultVelocity, 127);
    EXPECT_EQ(patterns[slot].triggerBypass, 0);
    EXPECT_EQ(patterns[slot].used, 0);
    for (int r = 0; r < kRows; ++r) {
      EXPECT_EQ(patterns[slot].rows[r].note, 59 - r);
      EXPECT_EQ(patterns[slot].rows[r].channel, 0);
      for (const PatternStep& step : patterns[slot].rows[r].steps) {
        EXPECT_EQ(step.state, 0x80);
        EXPECT_EQ(step.velocity, 127);
        EXPECT_EQ(step.mode, 1);
      }
    }
  }
  EXPECT_DOUBLE_EQ(currentSampleRate, 44100.0);
}

TEST_F(PatternAccessor, EachKindReadsAndWritesItsField) {
  set(3, 2, 0x90, StepState);
  set(0, 2, 64, RowNote);
  set(3, 2, 99, StepVelocity);
  set(0, 2, 9, RowChannel);
  set(3, 2, -1234, StepShift);
  set(3, 2, 3, StepMode);
  set(0, 0, 80, DefaultVelocity);
  set(7, 0, 1, PatternUsed);
  EXPECT_EQ(get(3, 2, StepState), 0x90);
  EXPECT_EQ(get(31, 2, RowNote), 64);  // the step is not used for row kinds
  EXPECT_EQ(get(3, 2, StepVelocity), 99);
  EXPECT_EQ(get(0, 2, RowChannel), 9);
  EXPECT_EQ(get(3, 2, StepShift), -1234);
  EXPECT_EQ(get(3, 2, StepMode), 3);
  EXPECT_EQ(get(0, 0, DefaultVelocity), 80);
  EXPECT_EQ(get(7, 0, PatternUsed), 1);
  set(0, 2, 0x1FF, RowNote);  // bytes keep the low 8 bits and read unsigned
  EXPECT_EQ(get(0, 2, RowNote), 255);
}

TEST_F(PatternAccessor, ArgumentsOutOfRangeChangeNothingAndReadZero) {
  const auto before = host.image();
  for (auto [step, row] : {std::pair{-1, 0}, {32, 0}, {0, -1}, {0, 12}}) {
    set(step, row, 0x90, StepState);
    set(step, row, 5, StepShift);
    set(step, row, 2, StepMode);
    EXPECT_EQ(get(step, row, StepVelocity), 0);
    EXPECT_EQ(get(step, row, StepMode), 0);
  }
  set(0, 12, 60, RowNote);
  set(0, -1, 3, RowChannel);
  set(24, 0, 1, PatternUsed);
  set(0, 0, 24, PatternStoreRecall);
  set(1, 0, -1, PatternStoreRecall);
  set(2, 0, 3, PatternStoreRecall);
  set(0, 0, 1, 12);
  EXPECT_EQ(get(0, 12, RowNote), 0);
  EXPECT_EQ(get(-1, 0, PatternUsed), 0);
  EXPECT_TRUE(host.image() == before);
}

TEST_F(PatternAccessor, RequestKindsAndUnknownKindsReadZero) {
  for (VstInt32 kind : std::initializer_list<VstInt32>{PatternStoreRecall, PatternClear, MidiFileExport, 12, 100, -1})
    EXPECT_EQ(get(0, 0, kind), 0) << kind;
}

TEST_F(PatternAccessor, StoreThenRecallBringsBackCellsRowsAndDefaultVelocity) {
  set(5, 1, 0x90, StepState);
  set(5, 1, 42, StepVelocity);
  set(0, 1, 70, RowNote);
  set(0, 1, 4, RowChannel);
  set(0, 0, 90, DefaultVelocity);
  set(1, 0, 7, PatternStoreRecall);
  set(0, 0, 0, PatternClear);
  set(0, 1, 50, RowNote);
  set(0, 0, 30, DefaultVelocity);
  set(0, 0, 7, PatternStoreRecall);
  EXPECT_EQ(get(5, 1, StepState), 0x90);
  EXPECT_EQ(get(5, 1, StepVelocity), 42);
  EXPECT_EQ(get(0, 1, RowNote), 70);
  EXPECT_EQ(get(0, 1, RowChannel), 4);
  EXPECT_EQ(get(0, 0, DefaultVelocity), 90);
}

TEST_F(PatternAccessor, ARecallWhilePlayingWaitsAndTheLastOneWins) {
  set(0, 0, 0x90, StepState);
  set(1, 0, 1, PatternStoreRecall);
  set(0, 0, 0x80, StepState);
  set(0, 3, 0x90, StepState);
  set(1, 0, 2, PatternStoreRecall);
  set(0, 0, 0, PatternClear);
  host.time = playingAt(0.125);  // between steps: nothing fires
  host.play(64);
  set(0, 0, 1, PatternStoreRecall);
  set(0, 0, 2, PatternStoreRecall);
  EXPECT_EQ(get(0, 0, StepState), 0x80);  // still the cleared pattern
  EXPECT_EQ(get(0, 3, StepState), 0x80);
  host.time = playingAt(0.25);  // step 1 fires: the queued pattern takes over
  host.play(64);
  EXPECT_EQ(get(0, 3, StepState), 0x90);
  EXPECT_EQ(get(0, 0, StepState), 0x80);
}

TEST_F(PatternAccessor, TriggerBypassSurvivesStoreAndRecall) {
  set(0, 0, 1, TriggerBypass);
  set(1, 0, 3, PatternStoreRecall);
  set(0, 0, 3, PatternStoreRecall);
  set(0, 0, 9, PatternStoreRecall);
  EXPECT_EQ(get(0, 0, TriggerBypass), 1);
  const auto image = host.image();
  for (int slot = 0; slot < kPatternSlots; ++slot)
    EXPECT_EQ(reinterpret_cast<const Pattern*>(image.data())[slot].triggerBypass, 1) << slot;
}

TEST_F(PatternAccessor, ClearKeepsRowNotesChannelsAndCellModes) {
  set(0, 4, 66, RowNote);
  set(0, 4, 2, RowChannel);
  set(9, 4, 0x90, StepState);
  set(9, 4, 2, StepMode);
  set(9, 4, 10, StepVelocity);
  set(9, 4, 300, StepShift);
  set(0, 0, 1, PatternClear);
  EXPECT_EQ(get(0, 4, RowNote), 66);
  EXPECT_EQ(get(0, 4, RowChannel), 2);
  EXPECT_EQ(get(9, 4, StepMode), 2);
  EXPECT_EQ(get(9, 4, StepState), 0x80);
  EXPECT_EQ(get(9, 4, StepVelocity), 127);
  EXPECT_EQ(get(9, 4, StepShift), 0);
}

TEST_F(PatternAccessor, AChunkOfAnyOtherSizeIsRefused) {
  const auto before = host.image();
  std::vector<unsigned char> chunk(121161, 0x90);
  EXPECT_EQ(host.plugin().setChunk(chunk.data(), 121161, false), 0);
  EXPECT_EQ(host.plugin().setChunk(chunk.data(), 121159, false), 0);
  EXPECT_EQ(host.plugin().setChunk(chunk.data(), -121160, false), 0);
  EXPECT_TRUE(host.image() == before);
}

TEST_F(PatternAccessor, AChunkReplacesAllSlotsButKeepsEachDefaultVelocity) {
  DirectHost other;
  other.plugin().setPatternValue(0, 0, 33, DefaultVelocity);
  other.plugin().setPatternValue(4, 4, 0x90, StepState);
  other.plugin().setPatternValue(0, 4, 77, RowNote);
  other.plugin().setPatternValue(1, 0, 23, PatternStoreRecall);
  std::vector<unsigned char> image = other.image();
  image[offsetof(Pattern, reserved)] = 5;
  image[offsetof(PatternRow, steps) + offsetof(PatternStep, padding)] = 0xEE;
  ASSERT_TRUE(host.load(image));
  EXPECT_EQ(get(4, 4, StepState), 0x90);
  EXPECT_EQ(get(0, 4, RowNote), 77);
  EXPECT_EQ(get(0, 0, DefaultVelocity), 127);
  const auto loaded = host.image();
  const auto* slots = reinterpret_cast<const Pattern*>(loaded.data());
  EXPECT_EQ(slots[23].rows[4].steps[4].state, 0x90);
  EXPECT_EQ(slots[23].defaultVelocity, 127);
  EXPECT_EQ(slots[0].reserved, 5);
  EXPECT_EQ(slots[0].rows[0].steps[0].padding[0], 0);
}

TEST_F(PatternAccessor, TheChunkHandedOutStaysAsItWasUntilTheNextRequest) {
  void* first = nullptr;
  host.plugin().getChunk(&first, false);
  std::vector<unsigned char> copy(static_cast<unsigned char*>(first),
                                  static_cast<unsigned char*>(first) + kChunkSize);
  set(2, 2, 0x90, StepState);
  host.time = playingAt(0.5);
  host.play(512);  // the step clock writes its marks
  EXPECT_EQ(std::memcmp(first, copy.data(), kChunkSize), 0);
  void* second = nullptr;
  host.plugin().getChunk(&second, true);
  EXPECT_NE(std::memcmp(second, copy.data(), kChunkSize), 0);
}
