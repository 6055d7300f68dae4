// Long random sessions in a host whose position comes from its sample
// counter, with edits, recalls, clears, locates, loops, tempo changes and
// block sizes from 1 to 4096 frames: every note-on is ended by exactly one
// note-off before its key and channel are struck again, no step strikes
// twice, every list lies inside its block in time order, and nothing sounds
// after the stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "tests/engine/SongHost.h"

namespace {

using Random = std::mt19937_64;

int uniform(Random& random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
bool chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

// Row r plays keys 10r to 10r + 9 only, so every note names its row.
VstInt16 keyOfRow(Random& random, int row) { return static_cast<VstInt16>(10 * row + uniform(random, 0, 9)); }
constexpr VstInt16 kMaxShift = 100;

VstInt32 randomBlock(Random& random) {
  const VstInt32 usual[] = {1, 64, 441, 512, 1023, 1024, 4096};
  return chance(random, 0.5) ? usual[uniform(random, 0, 6)] : uniform(random, 1, 4096);
}

void randomEdit(Random& random, SongHost& song) {
  const int row = uniform(random, 0, kRows - 1);
  const int step = uniform(random, 0, kSteps - 1);
  switch (uniform(random, 0, 9)) {
    case 0: song.set(0, row, keyOfRow(random, row), RowNote); break;
    case 1: song.set(0, row, static_cast<VstInt16>(uniform(random, 0, 15)), RowChannel); break;
    case 2: song.set(step, row, static_cast<VstInt16>(uniform(random, 1, 3)), StepMode); break;
    case 3:
      song.set(step, row, static_cast<VstInt16>(uniform(random, -kMaxShift, kMaxShift)), StepShift);
      break;
    case 4: song.set(0, 0, static_cast<VstInt16>(uniform(random, 0, 23)), PatternStoreRecall); break;
    case 5: song.set(1, 0, static_cast<VstInt16>(uniform(random, 0, 23)), PatternStoreRecall); break;
    case 6: song.set(0, 0, 0, PatternClear); break;
    default: song.set(step, row, chance(random, 0.6) ? 0x90 : 0x80, StepState); break;
  }
}

// Follows what the plug-in sent and reports the first broken rule.
class NoteLedger {
public:
  // `songFrame`: where the block starts on a frame count that runs on
  // through locates; `run`: which continuous stretch of the song it is in.
  void block(const std::vector<VstMidiEvent>& events, VstInt32 frames, bool standing,
             std::int64_t songFrame, int run, double framesPerStep) {
    VstInt32 last = 0;
    bool lastWasOn = false;
    for (const VstMidiEvent& e : events) {
      ASSERT_GE(e.deltaFrames, 0);
      ASSERT_LT(e.deltaFrames, frames);
      const bool on = (e.midiData[0] & 0xF0) == 0x90;
      ASSERT_TRUE(e.deltaFrames > last || (e.deltaFrames == last && (on || !lastWasOn)))
          << "out of order at " << e.deltaFrames;
      last = e.deltaFrames;
      lastWasOn = on;
      const int key = e.midiData[1];
      const int channel = e.midiData[0] & 0x0F;
      int& sounding = sounding_[{key, channel}];
      if (on) {
        ASSERT_EQ(sounding, 0) << "key " << key << " channel " << channel << " struck twice";
        sounding = 1;
        // One strike per step of a row: strikes of one row in one run lie
        // at least a step apart, less what the shifts can move them.
        const int row = key / 10;
        const std::int64_t at = songFrame + e.deltaFrames;
        if (lastStrike_.count(row) && lastStrikeRun_[row] == run) {
          ASSERT_GE(static_cast<double>(at - lastStrike_[row]), framesPerStep - 2 * kMaxShift - 2)
              << "row " << row << " struck twice within a step";
        }
        lastStrike_[row] = at;
        lastStrikeRun_[row] = run;
        ++strikes;
      } else if (sounding == 1) {
        sounding = 0;
      } else {
        // Only the stop ends a note that does not sound: the rows' note-offs.
        ASSERT_TRUE(standing) << "note-off for key " << key << " channel " << channel << " that does not sound";
      }
    }
  }
  int sounding() const {
    int n = 0;
    for (const auto& [key, count] : sounding_) n += count;
    return n;
  }
  int strikes = 0;

private:
  std::map<std::pair<int, int>, int> sounding_;
  std::map<int, std::int64_t> lastStrike_;
  std::map<int, int> lastStrikeRun_;
};

void playSession(std::uint64_t seed) {
  Random random(seed);
  SongHost song;
  const double rates[] = {44100, 48000, 96000, 22050};
  song.transport.sampleRate = rates[uniform(random, 0, 3)];
  song.transport.tempo = uniform(random, 60, 200);
  // Stored patterns in the rows' own keys, full of cells.
  for (int pattern = 0; pattern < 24; ++pattern) {
    for (int row = 0; row < kRows; ++row) {
      song.set(0, row, keyOfRow(random, row), RowNote);
      song.set(0, row, static_cast<VstInt16>(uniform(random, 0, 15)), RowChannel);
      for (int step = 0; step < kSteps; ++step) {
        song.set(step, row, chance(random, 0.5) ? 0x90 : 0x80, StepState);
        song.set(step, row, static_cast<VstInt16>(uniform(random, 1, 3)), StepMode);
        song.set(step, row, static_cast<VstInt16>(uniform(random, -kMaxShift, kMaxShift)), StepShift);
      }
    }
    song.set(1, 0, static_cast<VstInt16>(pattern), PatternStoreRecall);
  }

  NoteLedger ledger;
  std::vector<float> left(4096), right(4096);
  float* outputs[2] = {left.data(), right.data()};
  std::int64_t songFrame = 0;
  int run = 0;
  VstInt32 frames = randomBlock(random);
  for (int b = 0; b < 3000; ++b) {
    if (chance(random, 0.05)) frames = randomBlock(random);
    if (chance(random, 0.2)) randomEdit(random, song);
    if (chance(random, 0.01)) {
      song.transport.changeTempo(uniform(random, 60, 200));
      ++run;
    }
    if (chance(random, 0.01)) {  // a locate, or a loop back by some bars
      song.transport.locate(chance(random, 0.5) ? uniform(random, 0, 400) * 0.25
                                                : std::floor(song.transport.ppqPos() / 4.0) * 4.0 - 4.0);
      ++run;
    }
    if (chance(random, 0.01)) {
      song.playing = !song.playing;
      ++run;
    }
    std::fill(left.begin(), left.end(), 1.0f);
    std::fill(right.begin(), right.end(), -1.0f);
    const std::vector<VstMidiEvent> events = song.play(frames, outputs);
    const double framesPerStep = 15.0 * song.transport.sampleRate / song.transport.tempo;
    ledger.block(events, frames, !song.playing, songFrame, run, framesPerStep);
    ASSERT_FALSE(testing::Test::HasFatalFailure()) << "seed " << seed << " block " << b;
    ASSERT_EQ(std::count(left.begin(), left.begin() + frames, 0.0f), frames);
    ASSERT_LE(song.listsInLastBlock, 1);
    songFrame += frames;
  }
  song.playing = false;
  ledger.block(song.play(512), 512, true, songFrame, run + 1, 0.0);
  EXPECT_EQ(ledger.sounding(), 0) << "seed " << seed;
  EXPECT_GT(ledger.strikes, 0) << "seed " << seed;  // it played
}

}  // namespace

TEST(StepClockInvariants, EveryNoteEndsOnceInLongRandomSessions) {
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    playSession(seed);
    if (HasFatalFailure()) return;
  }
}
