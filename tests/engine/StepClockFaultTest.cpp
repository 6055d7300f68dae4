// The faults seen in real hosts, each played the way it was seen: steps
// firing twice at block boundaries, lists out of time order, notes left
// hanging by switches, locates, loops, edits and clears, a queued recall that
// outlived a newer one, and output buffers left as the host handed them.
// 44100 Hz at 120 BPM unless a case says otherwise: a step is 5512.5 frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "engine/BlockEvents.h"
#include "engine/PatternMemory.h"
#include "tests/engine/SongHost.h"

namespace {

constexpr VstInt16 kSet = 0x90;

// Note-ons that no note-off has ended yet, by channel and key.
int stillSounding(const std::vector<VstMidiEvent>& events) {
  std::map<std::pair<int, int>, int> sounding;
  for (const VstMidiEvent& e : events) {
    const std::pair<int, int> key{e.midiData[0] & 0x0F, e.midiData[1]};
    if ((e.midiData[0] & 0xF0) == 0x90) ++sounding[key];
    else if (sounding[key] > 0) --sounding[key];
  }
  int count = 0;
  for (const auto& [key, n] : sounding) count += n;
  return count;
}

struct FiringCase {
  double sampleRate;
  double tempo;
  VstInt32 block;
  int passes;  // of the two-bar pattern
};

}  // namespace

// A cell on every even step strikes exactly once per pass at the frame its
// grid position gives, whatever the block size and however the host's
// position rounds from block to block.
TEST(StepClockFaults, EachStepFiresOnceAtItsFrameWhateverTheBlockSize) {
  const FiringCase cases[] = {{44100, 120, 441, 32}, {44100, 120, 512, 32},  {44100, 120, 1023, 8},
                              {48000, 120, 512, 200}, {96000, 125, 1024, 200}, {44100, 97.3, 4096, 20},
                              {22050, 180, 1, 1}};
  for (const FiringCase& c : cases) {
    SongHost song;
    song.transport.sampleRate = c.sampleRate;
    song.transport.tempo = c.tempo;
    for (VstInt32 step = 0; step < 32; step += 2) song.set(step, 0, kSet, StepState);
    const double ratio = c.sampleRate / c.tempo;
    const auto total = static_cast<std::int64_t>(std::floor(c.passes * 8.0 * 60.0 * ratio));
    std::multiset<std::int64_t> struck;
    while (song.transport.samplePos < total) {
      const std::int64_t start = song.transport.samplePos;
      for (const VstMidiEvent& e : song.play(c.block))
        if (e.midiData[0] == 0x90 && start + e.deltaFrames < total) struck.insert(start + e.deltaFrames);
    }
    std::multiset<std::int64_t> expected;
    for (int n = 0; n < c.passes * 32; n += 2)
      expected.insert(static_cast<std::int64_t>(std::floor(n * 0.25 * 60.0 * ratio)));
    EXPECT_EQ(struck, expected) << c.sampleRate << " Hz, " << c.tempo << " BPM, blocks of " << c.block;
  }
}

// A later row's note-off does not go ahead of an earlier row's note-on: the
// block's list is in time order, whatever the rows.
TEST(StepClockFaults, ABlocksListIsInTimeOrderAcrossRows) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  song.set(1, 0, 200, StepShift);  // row 0 ends 200 frames late
  song.set(1, 1, kSet, StepState);
  song.playTo(5512);
  EXPECT_EQ(show(song.play(512)), "90 3A 7F @0, 80 3B 00 @199");
  EXPECT_EQ(song.listsInLastBlock, 1);
}

// (a) A re-strike at the step where a recalled pattern takes over ends the
// note that sounds and strikes the incoming row's note, which the stop ends.
TEST(StepClockFaults, ARestrikeAcrossAPatternSwitchEndsTheNoteThatSounds) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  song.set(1, 0, kSet, StepState);
  song.set(1, 0, 3, PatternStoreRecall);  // pattern 3 as the current one, then changed
  song.set(0, 0, 70, RowNote);
  song.set(0, 0, 5, RowChannel);
  song.set(1, 0, 4, PatternStoreRecall);  // pattern 4: row 0 is note 70 on channel 6 (status 95)
  song.set(0, 0, 59, RowNote);
  song.set(0, 0, 0, RowChannel);

  std::vector<VstMidiEvent> heard = song.play(5512);
  song.set(0, 0, 4, PatternStoreRecall);  // queued: the song plays
  const std::vector<VstMidiEvent> restrike = song.play(512);
  EXPECT_EQ(show(restrike), "80 3B 00 @0, 95 46 7F @0");
  heard.insert(heard.end(), restrike.begin(), restrike.end());
  song.playing = false;
  const std::vector<VstMidiEvent> stop = song.play(512);
  heard.insert(heard.end(), stop.begin(), stop.end());
  EXPECT_EQ(show({stop[0]}), "85 46 00 @0");
  EXPECT_EQ(stillSounding(heard), 0);
}

// (b) Going back in the song, by a locate or a host loop of any length,
// releases what sounds before the next strike.
TEST(StepClockFaults, ALocateOrALoopReleasesTheNoteThatSounds) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  for (VstInt32 step = 1; step < 32; ++step) {
    song.set(step, 0, kSet, StepState);
    song.set(step, 0, 2, StepMode);  // one long tie
  }
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
  song.transport.locate(2.0);
  EXPECT_EQ(show(song.play(512)), "80 3B 00 @0, 90 3B 7F @0");
  // A loop over the first bar, half the pattern.
  for (int pass = 0; pass < 3; ++pass) {
    song.transport.locate(0.0);
    EXPECT_EQ(show(song.play(4410)), "80 3B 00 @0, 90 3B 7F @0") << pass;
    for (int block = 1; block < 20; ++block) EXPECT_TRUE(song.play(4410).empty()) << pass;
  }
}

// A host whose position comes in ticks (Ardour 7's 1/1920 quarter notes,
// 12.5 frames at 48 kHz and 120 BPM) is one continuous run: a tied note is
// struck once and ended once per pass, not released at every block.
TEST(StepClockFaults, APositionRoundedToTicksIsNoJump) {
  SongHost song;
  song.transport.sampleRate = 48000;
  song.transport.ticksPerQuarter = 1920;
  song.set(0, 0, kSet, StepState);
  for (VstInt32 step = 1; step < 31; ++step) {
    song.set(step, 0, kSet, StepState);
    song.set(step, 0, 2, StepMode);  // tied on to step 30; step 31 is empty
  }
  std::vector<VstMidiEvent> heard;
  const std::int64_t fourPasses = 4 * 8 * 24000;
  while (song.transport.samplePos < fourPasses)
    for (const VstMidiEvent& e : song.play(1024)) heard.push_back(e);
  const auto ons = std::count_if(heard.begin(), heard.end(),
                                 [](const VstMidiEvent& e) { return e.midiData[0] == 0x90; });
  EXPECT_EQ(ons, 4);
  EXPECT_EQ(heard.size(), 8u);
}

// A block of no frames has no room for events: the stop, or the release
// after a locate, goes out in the next block that has frames.
TEST(StepClockFaults, ABlockWithoutFramesSendsNothingAndDefersTheStop) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
  song.playing = false;
  EXPECT_EQ(show(song.play(0)), "");
  const std::vector<VstMidiEvent> stop = song.play(512);
  EXPECT_EQ(stop.size(), 12u);
  EXPECT_TRUE(std::all_of(stop.begin(), stop.end(), [](const VstMidiEvent& e) {
    return (e.midiData[0] & 0xF0) == 0x80 && e.deltaFrames == 0;
  }));
  song.playing = true;
  song.transport.samplePos = 0;
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
  song.transport.locate(4.0);
  EXPECT_EQ(show(song.play(0)), "");
  EXPECT_EQ(show(song.play(512)), "80 3B 00 @0");
}

// (c) A note keeps its length when the row gets another note while it
// sounds: the old note ends where it would have, the new one plays from the
// next strike.
TEST(StepClockFaults, ChangingARowsNoteWhileItSoundsEndsTheOldNoteWhereItWouldHave) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  song.set(1, 0, kSet, StepState);
  song.set(1, 0, 2, StepMode);  // tie
  song.set(2, 0, kSet, StepState);
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
  song.set(0, 0, 70, RowNote);
  song.playTo(5512);
  EXPECT_TRUE(song.play(512).empty());  // the tie goes on with note 59
  song.playTo(11025);
  EXPECT_EQ(show(song.play(512)), "80 3B 00 @0, 90 46 7F @0");
  song.playTo(16537);
  EXPECT_EQ(show(song.play(512)), "80 46 00 @0");
}

// (d) A clear while a note sounds: the next step, now empty, ends it.
TEST(StepClockFaults, ClearingWhileANoteSoundsStillEndsIt) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  song.set(1, 0, kSet, StepState);
  song.set(1, 0, 2, StepMode);
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
  song.set(0, 0, 0, PatternClear);
  song.playTo(5512);
  EXPECT_EQ(show(song.play(512)), "80 3B 00 @0");
}

// A tie with nothing sounding (the song starts on it) strikes its note.
TEST(StepClockFaults, ATieWithNothingSoundingStrikes) {
  SongHost song;
  song.set(4, 0, kSet, StepState);
  song.set(4, 0, 2, StepMode);
  song.transport.locate(1.0);
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
}

// A pattern recalled while the song ran and a stop that came before the next
// step: the stop puts it in place, and a recall made after the stop wins
// over it, edits included.
TEST(StepClockFaults, ARecallAfterTheStopWinsOverOneQueuedBeforeIt) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  song.set(1, 0, 3, PatternStoreRecall);  // pattern 3: row 0 on step 0
  song.set(0, 0, 0, PatternClear);
  song.set(0, 1, kSet, StepState);
  song.set(1, 0, 5, PatternStoreRecall);  // pattern 5: row 1 on step 0
  song.set(0, 0, 0, PatternClear);

  song.transport.locate(0.6);
  EXPECT_TRUE(song.play(512).empty());  // no step in this block
  song.set(0, 0, 3, PatternStoreRecall);  // waits for the next step
  song.playing = false;
  song.play(512);
  song.set(0, 0, 5, PatternStoreRecall);  // the song stands: at once
  song.set(8, 2, kSet, StepState);
  song.playing = true;
  song.transport.locate(0.0);
  EXPECT_EQ(show(song.play(512)), "90 3A 7F @0");
  EXPECT_EQ(song.host.plugin().getPatternValue(8, 2, StepState), kSet);
  EXPECT_EQ(song.host.plugin().getPatternValue(0, 0, StepState), 0x80);
}

TEST(StepClockFaults, AStandingRecallDropsARecallThatStillWaits) {
  PatternMemory memory;
  memory.patterns[3].rows[0].note = 30;
  memory.patterns[5].rows[0].note = 50;
  memory.recallQueued(3, 1, 0);
  ASSERT_TRUE(memory.switchPending);
  memory.recallNow(5);
  EXPECT_FALSE(memory.switchPending);
  memory.completeSwitch();
  EXPECT_EQ(memory.current().rows[0].note, 50);
}

// processReplacing writes silence over whatever the host left in its
// buffers; process, which adds to them, leaves them alone.
TEST(StepClockFaults, ProcessReplacingWritesSilenceAndProcessLeavesTheOutputs) {
  SongHost song;
  std::vector<float> left(300, 0.7f);
  std::vector<float> right(300, -3.0f);
  float* outputs[2] = {left.data(), right.data()};
  song.play(256, outputs);
  EXPECT_EQ(std::count(left.begin(), left.begin() + 256, 0.0f), 256);
  EXPECT_EQ(std::count(right.begin(), right.begin() + 256, 0.0f), 256);
  EXPECT_EQ(left[256], 0.7f);  // not past the block

  std::fill(left.begin(), left.end(), 0.5f);
  song.host.plugin().process(nullptr, outputs, 256);
  EXPECT_EQ(std::count(left.begin(), left.end(), 0.5f), 300);

  float* halfMissing[2] = {nullptr, right.data()};
  song.play(256, halfMissing);
  song.play(0, outputs);
  song.play(-5, outputs);
  EXPECT_EQ(left[0], 0.5f);
}

// At a tempo where every frame is a step, a long block forms more events
// than its list holds: the list stops filling, in time order, and no note it
// struck is left without its note-off.
TEST(StepClockFaults, AFullListLeavesNoNoteWithoutItsNoteOff) {
  SongHost song;
  song.transport.tempo = 44100.0 * 15.0;  // a step of one frame
  for (VstInt32 row = 0; row < kRows; ++row)
    for (VstInt32 step = 0; step < kSteps; step += 3) song.set(step, row, kSet, StepState);
  std::vector<VstMidiEvent> heard;
  for (int block = 0; block < 3; ++block) {
    const std::vector<VstMidiEvent> events = song.play(8192);
    // Full but for a strike whose two events no longer fit.
    EXPECT_GE(static_cast<int>(events.size()), BlockEvents::kCapacity - 1);
    EXPECT_LE(static_cast<int>(events.size()), BlockEvents::kCapacity);
    EXPECT_TRUE(std::is_sorted(events.begin(), events.end(), [](const VstMidiEvent& a, const VstMidiEvent& b) {
      return a.deltaFrames < b.deltaFrames;
    }));
    heard.insert(heard.end(), events.begin(), events.end());
  }
  song.playing = false;
  const std::vector<VstMidiEvent> stop = song.play(512);
  heard.insert(heard.end(), stop.begin(), stop.end());
  EXPECT_EQ(stillSounding(heard), 0);
}

// Faster still, a step is shorter than a frame: the song counts as standing.
TEST(StepClockFaults, AStepShorterThanAFrameStandsTheSong) {
  SongHost song;
  song.set(0, 0, kSet, StepState);
  EXPECT_EQ(show(song.play(512)), "90 3B 7F @0");
  song.transport.changeTempo(44100.0 * 16.0);
  const std::vector<VstMidiEvent> stop = song.play(512);
  ASSERT_EQ(stop.size(), 12u);
  EXPECT_EQ(show({stop[0]}), "80 3B 00 @0");
  EXPECT_TRUE(song.play(512).empty());
}
