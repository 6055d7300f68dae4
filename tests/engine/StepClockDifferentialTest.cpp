// The step clock skips the visits that cannot matter; against the literal
// walk (ReferenceStepClock) it must send the same events at the same frames
// and leave every byte of the pattern image the same, block after block,
// with a transport that works its position out of a sample counter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "tests/engine/DirectHost.h"
#include "tests/engine/ReferenceStepClock.h"
#include "tests/engine/SampleTransport.h"

namespace {

using Random = std::mt19937_64;

int uniform(Random& random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
double uniformReal(Random& random, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(random);
}
bool chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

std::int16_t randomShift(Random& random, int style) {
  switch (style) {
    case 0: return 0;
    case 1: return static_cast<std::int16_t>(uniform(random, -1378, 1378));  // what the editor allows
    default: return static_cast<std::int16_t>(uniform(random, -32768, 32767));
  }
}

std::uint8_t someState(Random& random, double density) {
  if (chance(random, 0.02)) return static_cast<std::uint8_t>(uniform(random, 0, 255));
  return chance(random, density) ? 0x90 : 0x80;
}

// Random contents in every field the step clock reads or writes.
std::vector<unsigned char> randomImage(Random& random, std::vector<unsigned char> image) {
  const double density = uniformReal(random, 0.0, 1.0);
  const int shiftStyle = uniform(random, 0, 2);
  auto* patterns = reinterpret_cast<Pattern*>(image.data());
  for (int slot = 0; slot < kPatternSlots; ++slot) {
    for (PatternRow& row : patterns[slot].rows) {
      row.note = static_cast<std::uint8_t>(uniform(random, 0, 255));
      row.channel = static_cast<std::uint8_t>(chance(random, 0.9) ? uniform(random, 0, 15) : uniform(random, 0, 255));
      row.soundingNote = static_cast<std::uint8_t>(uniform(random, 0, 255));
      row.soundingChannel = static_cast<std::uint8_t>(uniform(random, 0, 255));
      for (PatternStep& step : row.steps) {
        step.mode = static_cast<std::uint8_t>(chance(random, 0.9) ? uniform(random, 1, 3) : uniform(random, 0, 255));
        step.state = someState(random, density);
        step.sounding = someState(random, 0.5);
        step.velocity = static_cast<std::uint8_t>(uniform(random, 0, 255));
        step.shift = randomShift(random, shiftStyle);
        step.onset = static_cast<std::int32_t>(random());
      }
    }
  }
  return image;
}

double randomSampleRate(Random& random) {
  const double rates[] = {44100, 48000, 96000, 22050, 8000, 192000};
  return chance(random, 0.7) ? rates[uniform(random, 0, 5)] : uniformReal(random, 4000, 200000);
}

double randomTempo(Random& random) {
  const double tempos[] = {120, 140, 60, 90, 174, 333.3};
  return chance(random, 0.6) ? tempos[uniform(random, 0, 5)] : uniformReal(random, 20, 600);
}

VstInt32 randomBlock(Random& random) {
  // 1 to 8192 frames, spread evenly over the powers of two.
  return static_cast<VstInt32>(std::exp2(uniformReal(random, 0.0, 13.0)));
}

// Bar starts as hosts report them, and as some do not.
double barStartFor(Random& random, int style, double ppqPos) {
  switch (style) {
    case 0: return std::floor(ppqPos / 4.0) * 4.0;
    case 1: return 0.0;
    case 2: return std::floor(ppqPos) - uniform(random, 0, 9);  // odd values, behind the block
    case 3: return -4.0 * uniform(random, 1, 6);
    case 4: return std::floor(ppqPos * 4.0) / 4.0 - 0.25 * uniform(random, 0, 40);
    default: return std::floor(ppqPos / 4.0) * 4.0 + uniformReal(random, -3.0, 3.0);  // bits below a step
  }
}

std::string describe(const VstMidiEvent& e) {
  char text[64];
  std::snprintf(text, sizeof text, "[%d: %02X %02X %02X]", e.deltaFrames, e.midiData[0], e.midiData[1],
                e.midiData[2]);
  return text;
}

std::string describe(const std::vector<VstMidiEvent>& events) {
  std::string text;
  for (const auto& e : events) text += describe(e);
  return text;
}

struct Scenario {
  int trial;
  double startPos;
  int barStyle;
  int blocks;
};

// Plays one random song on both clocks and compares after every block.
void playBoth(Random& random, const Scenario& scenario) {
  DirectHost host;
  ReferenceSequencer reference;
  ASSERT_TRUE(host.load(randomImage(random, host.image())));
  reference.loadImage(host.image());

  SampleTransport transport{randomSampleRate(random), randomTempo(random), scenario.startPos};
  VstInt32 frames = randomBlock(random);
  bool playing = true;
  for (int b = 0; b < scenario.blocks; ++b) {
    if (chance(random, 0.1)) frames = randomBlock(random);
    if (chance(random, 0.03)) transport.changeTempo(randomTempo(random));
    if (chance(random, 0.05)) playing = !playing;
    if (chance(random, 0.02))  // a jump
      transport.locate(std::max(0.0, transport.ppqPos() + uniformReal(random, -50, 50)));
    if (chance(random, 0.15)) {
      const int pattern = uniform(random, 0, 23);
      host.plugin().setPatternValue(0, 0, static_cast<VstInt16>(pattern), PatternStoreRecall);
      reference.recall(pattern);
    }
    if (chance(random, 0.03)) {
      const int pattern = uniform(random, 0, 23);
      host.plugin().setPatternValue(1, 0, static_cast<VstInt16>(pattern), PatternStoreRecall);
      reference.store(pattern);
    }
    if (chance(random, 0.1)) {  // an edit: a row's note or channel, a cell, or a clear
      const int row = uniform(random, 0, kRows - 1);
      const int step = uniform(random, 0, kSteps - 1);
      const auto value = static_cast<std::uint8_t>(uniform(random, 0, 127));
      PatternRow& lane = reference.patterns[kCurrentSlot].rows[row];
      switch (uniform(random, 0, 3)) {
        case 0: lane.note = value; host.plugin().setPatternValue(0, row, value, RowNote); break;
        case 1: lane.channel = value & 15; host.plugin().setPatternValue(0, row, value & 15, RowChannel); break;
        case 2: {
          const std::uint8_t state = lane.steps[step].state == 0x90 ? 0x80 : 0x90;
          lane.steps[step].state = state;
          host.plugin().setPatternValue(step, row, state, StepState);
          break;
        }
        default:
          clearPattern(reference.patterns[kCurrentSlot]);
          host.plugin().setPatternValue(0, 0, 0, PatternClear);
          break;
      }
    }
    const double ppqPos = transport.ppqPos();
    VstTimeInfo info = playingAt(ppqPos, transport.tempo, transport.sampleRate);
    info.samplePos = static_cast<double>(transport.samplePos);
    info.barStartPos = barStartFor(random, scenario.barStyle, ppqPos);
    if (!playing) info.flags &= ~kVstTransportPlaying;
    host.time = info;
    host.hasTime = !chance(random, 0.02);
    const VstInt32 blockFrames = chance(random, 0.02) ? 0 : frames;

    host.lists.clear();
    host.play(blockFrames);
    reference.block(host.hasTime ? &info : nullptr, blockFrames);

    const std::string where = "trial " + std::to_string(scenario.trial) + " block " + std::to_string(b) +
                              " ppq " + std::to_string(ppqPos) + " bar " + std::to_string(info.barStartPos) +
                              " frames " + std::to_string(blockFrames);
    ASSERT_LE(host.lists.size(), 1u) << where;  // one list per block
    const std::vector<VstMidiEvent> sent = host.lists.empty() ? std::vector<VstMidiEvent>{} : host.lists[0].events;
    ASSERT_EQ(describe(sent), describe(reference.events)) << where;
    if (!sent.empty()) {
      ASSERT_EQ(std::memcmp(sent.data(), reference.events.data(), sent.size() * sizeof(VstMidiEvent)), 0)
          << where;
    }
    ASSERT_TRUE(host.image() == reference.image()) << where;

    if (playing) transport.samplePos += blockFrames;
  }
}

}  // namespace

TEST(StepClockAgainstLiteralWalk, AgreesNearTheSongStartWithEveryKindOfBarStart) {
  Random random(20261208);
  for (int trial = 0; trial < 240; ++trial)
    playBoth(random, {trial, uniformReal(random, 0.0, 64.0), trial % 6, 40});
}

TEST(StepClockAgainstLiteralWalk, AgreesFarIntoTheSongWhenBarStartsStayZero) {
  Random random(7);
  for (int trial = 0; trial < 12; ++trial)
    playBoth(random, {trial, uniformReal(random, 2000.0, 20000.0), 1, 6});
  playBoth(random, {99, 100000.0, 1, 3});
}

TEST(StepClockAgainstLiteralWalk, AgreesWithBarStartsBehindOrAheadOfTheBlock) {
  Random random(11);
  for (int trial = 0; trial < 60; ++trial)
    playBoth(random, {trial, uniformReal(random, 100.0, 400.0), 2 + trial % 4, 20});
}
