// Played by a host that behaves as real ones do (the position worked out
// from the sample count, loops that are not a multiple of two bars, jumps
// while playing, odd block sizes, 48 and 96 kHz, tempo changes), every note
// the plug-in starts ends once, every event lies inside its block, each list
// is in time order and the outputs come back silent.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "host/DemoPattern.h"
#include "host/MidiSummary.h"
#include "host/VstHost.h"

namespace {

constexpr int kCurrent = PatternImage::kCurrent;

struct Session {
  const char* name = "";
  double rate = 44100.0;
  double tempo = 120.0;
  VstInt32 block = 512;
  int bars = 16;  // how long the host plays
  double loopStart = 0, loopEnd = 0;  // quarter notes; no loop when equal
  std::vector<std::pair<double, double>> locates{};  // on reaching .first, jump to .second
  std::vector<std::pair<double, double>> tempoChanges{};  // on reaching .first, the tempo .second
  bool tempoJumps = false;  // the tempo change redraws the map, so the position jumps
};

void PrintTo(const Session& session, std::ostream* out) { *out << session.name; }

// Every row busy, in all three modes, with shifts up to what the editor allows.
PatternImage busyPattern(double rate, unsigned seed) {
  std::mt19937 random(seed);
  PatternImage image;
  const int limit = static_cast<int>(rate / 32);
  for (int row = 0; row < 12; ++row) {
    image.setRow(kCurrent, row, static_cast<std::uint8_t>(60 + row), static_cast<std::uint8_t>(row % 4));
    for (int step = 0; step < 32; ++step)
      if (random() % 3 != 0) {
        const auto mode = static_cast<std::uint8_t>(1 + random() % 3);
        const auto shift = static_cast<std::int16_t>(static_cast<int>(random() % (2 * limit + 1)) - limit);
        image.setCell(kCurrent, row, step, static_cast<std::uint8_t>(1 + random() % 127), mode, shift);
      }
  }
  return image;
}

PatternImage everyEvenStep() {
  PatternImage image;
  for (int step = 0; step < 32; step += 2) image.setCell(kCurrent, 0, step);
  return image;
}

// Plays the session as a host would, jumps landing between blocks, then one
// standing block for the stop.
void play(VstHost& host, const Session& session, PatternImage image) {
  host.start(session.rate, session.block);
  host.transport.tempo = session.tempo;
  host.transport.loopStart = session.loopStart;
  host.transport.loopEnd = session.loopEnd;
  ASSERT_EQ(host.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(image.bytes().size()), image.bytes().data()), 1);
  std::vector<bool> located(session.locates.size()), changed(session.tempoChanges.size());
  const double frames = session.bars * 4 * 60.0 * session.rate / session.tempo;
  for (double played = 0; played < frames; played += session.block) {
    for (std::size_t i = 0; i < session.locates.size(); ++i)
      if (!located[i] && host.transport.ppqPos() >= session.locates[i].first) {
        located[i] = true;
        host.transport.locate(session.locates[i].second);
      }
    for (std::size_t i = 0; i < session.tempoChanges.size(); ++i)
      if (!changed[i] && host.transport.ppqPos() >= session.tempoChanges[i].first) {
        changed[i] = true;
        if (session.tempoJumps) host.transport.tempo = session.tempoChanges[i].second;
        else host.transport.changeTempo(session.tempoChanges[i].second);
      }
    host.processBlock(session.block);
  }
  host.transport.playing = false;
  host.processBlock(session.block);
}

MidiSummary played(const Session& session, PatternImage image) {
  VstHost host(QUAVERLIN_PLUGIN_PATH);
  play(host, session, std::move(image));
  return summarize(host.received, host.blocks);
}

// The frames at which the demo pattern's kick (C2 on channel 10) starts.
std::vector<double> kicks(VstInt32 block) {
  VstHost host(QUAVERLIN_PLUGIN_PATH);
  play(host, {.name = "kicks", .rate = 44100.0, .tempo = 120.0, .block = block, .bars = 64}, demoPattern());
  std::vector<double> frames;
  for (const ReceivedEvent& e : host.received)
    if (e.midi.midiData[0] == 0x99 && e.midi.midiData[1] == 36)
      frames.push_back(host.blocks[static_cast<std::size_t>(e.block)].elapsed + e.midi.deltaFrames);
  return frames;
}

class RealisticHost : public ::testing::TestWithParam<Session> {};

}  // namespace

TEST_P(RealisticHost, EveryNoteEndsOnceInsideItsBlockInOrder) {
  const Session& session = GetParam();
  for (unsigned seed : {0u, 1u, 2u}) {
    const MidiSummary s = played(session, seed == 0 ? demoPattern() : busyPattern(session.rate, seed));
    EXPECT_GT(s.noteOns, 0) << "pattern " << seed;
    EXPECT_TRUE(s.midiClean()) << "pattern " << seed << "\n" << describe(s);
    EXPECT_EQ(s.noisyBlocks, 0) << "pattern " << seed << ": the outputs were left as handed over";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, RealisticHost,
    ::testing::Values(
        Session{.name = "Blocks441", .rate = 44100.0, .tempo = 120.0, .block = 441, .bars = 16},
        Session{.name = "Blocks1023At48k", .rate = 48000.0, .tempo = 120.0, .block = 1023, .bars = 16},
        Session{.name = "Blocks1024At96kAnd125Bpm", .rate = 96000.0, .tempo = 125.0, .block = 1024, .bars = 16},
        Session{.name = "LoopOfThreeBars", .rate = 44100.0, .tempo = 120.0, .block = 512, .bars = 24,
                .loopStart = 0.0, .loopEnd = 12.0},
        Session{.name = "LoopOfABarAndAHalfAt48k", .rate = 48000.0, .tempo = 133.0, .block = 441, .bars = 24,
                .loopStart = 4.0, .loopEnd = 10.0},
        Session{.name = "LoopAcrossThePatternsEnd", .rate = 44100.0, .tempo = 97.0, .block = 1023, .bars = 24,
                .loopStart = 6.0, .loopEnd = 10.0},
        Session{.name = "Locates", .rate = 44100.0, .tempo = 120.0, .block = 512, .bars = 24,
                .locates = {{10.0, 3.3}, {20.0, 0.0}, {14.0, 30.0}}},
        Session{.name = "LocatesAt96k", .rate = 96000.0, .tempo = 140.0, .block = 1023, .bars = 24,
                .locates = {{6.0, 6.75}, {12.0, 2.0}}},
        Session{.name = "TempoChanges", .rate = 44100.0, .tempo = 120.0, .block = 1023, .bars = 24,
                .tempoChanges = {{8.0, 97.0}, {20.0, 172.0}}},
        Session{.name = "TempoJumps", .rate = 48000.0, .tempo = 120.0, .block = 441, .bars = 24,
                .tempoChanges = {{8.0, 97.0}, {20.0, 172.0}}, .tempoJumps = true}),
    [](const ::testing::TestParamInfo<Session>& param) { return std::string(param.param.name); });

TEST(RealisticHostLongRun, EachStepFiresOnceOverTwoHundredPasses) {
  // A cell on every even step: 16 note-ons a pass, whatever the rate and block.
  for (const Session& session : {Session{.name = "48k", .rate = 48000.0, .tempo = 120.0, .block = 512, .bars = 400},
                                 Session{.name = "96k", .rate = 96000.0, .tempo = 125.0, .block = 1024, .bars = 400}}) {
    const MidiSummary s = played(session, everyEvenStep());
    EXPECT_EQ(s.noteOns, 3200) << session.name;
    EXPECT_TRUE(s.midiClean()) << session.name << "\n" << describe(s);
  }
}

TEST(RealisticHostLongRun, KicksAtBlocksOf441AreTheKicksAtBlocksOf512) {
  // 64 bars are 32 passes of the pattern's five kicks; both block sizes end
  // exactly at bar 65.
  const std::vector<double> small = kicks(441);
  const std::vector<double> large = kicks(512);
  EXPECT_EQ(small.size(), 160u);
  ASSERT_EQ(small.size(), large.size());
  // Step 27 lies on a half frame: either neighbour is a faithful answer.
  for (std::size_t i = 0; i < small.size(); ++i) EXPECT_NEAR(small[i], large[i], 1.0) << "kick " << i;
}
