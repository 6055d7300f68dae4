// The step clock as a host hears it: patterns go in through the chunk, blocks
// through the host's transport, and the MIDI the host received comes out.
// 44100 Hz at 120 BPM: a quarter note is 22050 frames, a step 5512.5.
#include <cmath>
#include <random>

#include "tests/engine/HostFixture.h"

namespace {
constexpr int kCurrent = PatternImage::kCurrent;
}

using StepClock = PluginInHost;

TEST_F(StepClock, AnchorsThePatternOnEverySecondBarFromTheSongStart) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0);   // note 59 (3B) on step 0
  image.setCell(kCurrent, 1, 16);  // note 58 (3A) on step 16
  load(image);
  for (double bar : {0.0, 8.0, 16.0}) {
    playAt(bar);
    EXPECT_EQ(show(lastBlock()), "90 3B 7F @0") << bar;
    host.transport.playing = false;
    playAt(bar);
    host.transport.playing = true;
  }
  for (double bar : {4.0, 12.0, -4.0}) {
    playAt(bar);
    EXPECT_EQ(show(lastBlock()), "90 3A 7F @0") << bar;
    host.transport.playing = false;
    playAt(bar);
    host.transport.playing = true;
  }
}

TEST_F(StepClock, FiresOnsetsInTheHalfOpenRangeOfTheBlock) {
  PatternImage image;
  image.setCell(kCurrent, 0, 4, 100, 1, 511);  // step 4 lies at ppq 1.0
  image.setCell(kCurrent, 1, 4, 100, 1, 512);
  load(image);
  playAt(1.0);
  EXPECT_EQ(show(lastBlock()), "90 3B 64 @511");
  host.processBlock(512);  // the next block starts at frame 512 after the step
  EXPECT_EQ(show(lastBlock()), "90 3A 64 @0");
}

TEST_F(StepClock, ShiftsMoveStepsIntoEarlierAndLaterBlocksAcrossTheWrap) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0, 127, 1, -200);   // step 0 of the next pass, early
  image.setCell(kCurrent, 1, 31, 127, 1, 1000);  // step 31 of this pass, late
  load(image);
  // Step 0 of the next pass lies at 8.0, 344 frames after a block at 8 - 1/64
  // (positions are binary fractions, so the frames are exact).
  playAt(8.0 - 1.0 / 64);
  EXPECT_EQ(show(lastBlock()), "90 3B 7F @144");
  // Step 31 lies at 7.75, 689.06 frames before a block at 7.75 + 1/32: a
  // grid frame of -690, +1000. Going back there releases the note that
  // sounds before anything else.
  playAt(7.75 + 1.0 / 32);
  EXPECT_EQ(show(lastBlock()), "80 3B 00 @0, 90 3A 7F @310");
}

TEST_F(StepClock, ConsecutiveCellsStrikeAgainUnlessTheyTie) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0);
  image.setCell(kCurrent, 0, 1);            // mode 1: strikes again
  image.setCell(kCurrent, 1, 0);
  image.setCell(kCurrent, 1, 1, 127, 2);    // mode 2: ties
  load(image);
  // Step 1 lies at frame 5512, step 2 at 11025; the song plays on.
  playAt(0.0);
  EXPECT_EQ(show(lastBlock()), "90 3B 7F @0, 90 3A 7F @0");
  host.processBlock(5512 - 86 - 512);
  host.processBlock(512);
  EXPECT_EQ(show(lastBlock()), "80 3B 00 @85, 90 3B 7F @86");
  host.processBlock(11025 - 10 - 5426 - 512);
  host.processBlock(512);
  EXPECT_EQ(show(lastBlock()), "80 3B 00 @9, 80 3A 00 @9");  // both rows end
}

TEST_F(StepClock, ANoteOffDueBeforeTheBlockGoesAtFrameZeroBeforeTheNoteOn) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0);
  image.setCell(kCurrent, 0, 1);
  load(image);
  playAt(0.0, 5512);
  host.processBlock(512);
  EXPECT_EQ(show(lastBlock()), "80 3B 00 @0, 90 3B 7F @0");
}

TEST_F(StepClock, StoppingSendsTwelveRowNoteOffsOnceAndEndsANoteTheRowNoLongerNames) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0);
  image.setRow(kCurrent, 0, 60, 3);
  load(image);
  playAt(0.0);
  EXPECT_EQ(show(lastBlock()), "93 3C 7F @0");
  // The row gets another note and channel while its note sounds.
  PatternImage now = chunk();
  now.setRow(kCurrent, 0, 61, 5);
  load(now);
  host.transport.playing = false;
  host.processBlock(512);
  const auto stop = lastBlock();
  ASSERT_EQ(stop.size(), 13u);
  // Each row's present note on the channel of what sounds, then the note
  // that really sounds.
  EXPECT_EQ(show({stop[0], stop[1], stop[11], stop[12]}), "83 3D 00 @0, 80 3A 00 @0, 80 30 00 @0, 83 3C 00 @0");
  for (const ReceivedEvent& e : stop) EXPECT_EQ(e.list, 0);
  host.processBlock(512);
  EXPECT_TRUE(lastBlock().empty());
}

TEST_F(StepClock, ARecallWhilePlayingTakesOverAtTheNextStep) {
  PatternImage image;
  for (int step = 0; step < 32; ++step) image.setCell(kCurrent, 0, step, 100, 2);  // one long tie
  image.setCell(3, 5, 2);  // stored pattern 3: row 5 (note 54) on step 2
  load(image);
  playAt(0.0);
  EXPECT_EQ(show(lastBlock()), "90 3B 64 @0");
  host.sendMidi({midiEvent(0x90, 48 + 3, 100)});
  host.processBlock(2000);  // inside step 0: nothing changes mid-step
  EXPECT_TRUE(lastBlock().empty());
  host.processBlock(5512 - 2512);
  host.processBlock(512);   // step 1 of the recalled pattern: the tie ends
  EXPECT_EQ(show(lastBlock()), "80 3B 00 @0");
  host.processBlock(11025 - 6024);
  host.processBlock(512);
  EXPECT_EQ(show(lastBlock()), "90 36 7F @0");
}

TEST_F(StepClock, AnEmptyBlockFiresNothing) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0);
  load(image);
  playAt(0.0, 0);
  EXPECT_TRUE(lastBlock().empty());
}

TEST_F(StepClock, BlocksLongerThan32767FramesPlaceEveryStepAtItsFrame) {
  PatternImage image;
  for (int step = 0; step < 32; step += 2) image.setCell(kCurrent, 0, step);
  load(image);
  playAt(0.0, 4 * 22050);  // two bars' first half: steps 0 to 15
  const auto events = lastBlock();
  ASSERT_EQ(events.size(), 16u);
  for (std::size_t i = 0; i < events.size(); i += 2) {
    const int step = static_cast<int>(i);
    EXPECT_EQ(events[i].midi.midiData[0], 0x90);
    EXPECT_EQ(events[i].midi.deltaFrames, static_cast<VstInt32>(step * 5512.5));
    EXPECT_EQ(events[i + 1].midi.midiData[0], 0x80);
    EXPECT_EQ(events[i + 1].midi.deltaFrames, static_cast<VstInt32>((step + 1) * 5512.5) - 1);
  }
}

TEST_F(StepClock, WithoutAUsableTransportTheBlockIsAStandingOne) {
  PatternImage image;
  image.setCell(kCurrent, 0, 0);
  load(image);
  host.transport.hasTimeInfo = false;
  // A new instance's first standing block silences every row.
  host.processBlock(512);
  EXPECT_EQ(lastBlock().size(), 12u);
  host.transport.hasTimeInfo = true;

  const double nan = std::nan("");
  const double inf = HUGE_VAL;
  auto stopsOnceWith = [&](const char* what, double tempo, double rate, bool timeInfo) {
    playAt(0.0);
    ASSERT_EQ(show(lastBlock()), "90 3B 7F @0") << what;
    host.transport.tempo = tempo;
    host.transport.sampleRate = rate;
    host.transport.hasTimeInfo = timeInfo;
    playAt(0.0);
    EXPECT_EQ(lastBlock().size(), 12u) << what << " " << tempo << " " << rate;
    playAt(0.0);
    EXPECT_TRUE(lastBlock().empty()) << what << " " << tempo << " " << rate;
    host.transport.tempo = 120.0;
    host.transport.sampleRate = 44100.0;
    host.transport.hasTimeInfo = true;
  };
  stopsOnceWith("no time info", 120.0, 44100.0, false);
  // 1e6 quarter notes a minute: a step is shorter than a frame.
  for (double tempo : {0.0, -120.0, nan, inf, 1e6}) stopsOnceWith("tempo", tempo, 44100.0, true);
  for (double rate : {0.0, -44100.0, nan, inf}) stopsOnceWith("rate", 120.0, rate, true);
}

TEST_F(StepClock, EveryEventIsAPlainMidiEventWithValidBytesWhateverTheChunkHolds) {
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    PatternImage image;
    for (auto& byte : image.bytes()) byte = static_cast<unsigned char>(random());
    load(image);
    for (int b = 0; b < 40; ++b) {
      host.transport.playing = (b % 13) != 12;
      host.processBlock(static_cast<VstInt32>(random() % 3000));
    }
  }
  ASSERT_FALSE(host.received.empty());
  for (const ReceivedEvent& e : host.received) {
    const VstMidiEvent& m = e.midi;
    EXPECT_EQ(m.type, kVstMidiType);
    EXPECT_EQ(m.byteSize, 24);
    EXPECT_TRUE((m.midiData[0] & 0xF0) == 0x80 || (m.midiData[0] & 0xF0) == 0x90);
    EXPECT_LT(m.midiData[1], 128);
    EXPECT_LT(m.midiData[2], 128);
    EXPECT_EQ(m.midiData[3], 0);
    EXPECT_EQ(m.flags | m.noteLength | m.noteOffset | m.detune | m.noteOffVelocity | m.reserved1 |
                  m.reserved2,
              0);
  }
}
