// MIDI keys 48 to 71 recall the stored patterns; nothing else received does
// anything, and nothing received is played.
#include "tests/engine/HostFixture.h"

namespace {
constexpr int kCurrent = PatternImage::kCurrent;

class IncomingMidi : public PluginInHost {
protected:
  // Stored pattern p holds one cell: row p % 12 at step p.
  IncomingMidi() {
    for (int p = 0; p < 24; ++p) image.setCell(p, p % 12, p);
  }
  bool currentHolds(int pattern) {
    return chunk().stepByte(kCurrent, pattern % 12, pattern, 1) == 0x90;
  }
  PatternImage image;
};
}  // namespace

TEST_F(IncomingMidi, WithTheTransportStandingAKeyRecallsAtOnceOnAnyChannel) {
  load(image);
  EXPECT_EQ(host.sendMidi({midiEvent(0x9A, 48, 1)}), 1);
  EXPECT_TRUE(currentHolds(0));
  host.sendMidi({midiEvent(0x90, 71, 127)});
  EXPECT_TRUE(currentHolds(23));
}

TEST_F(IncomingMidi, WithTheTransportRunningTheLastKeyWaitsForTheNextStep) {
  load(image);
  playAt(0.125);  // between steps 0 and 1
  host.sendMidi({midiEvent(0x90, 50, 100), midiEvent(0x90, 52, 100)});
  EXPECT_FALSE(currentHolds(4));
  EXPECT_EQ(chunk().stepByte(PatternImage::kQueued, 4, 4, 1), 0x90);
  EXPECT_NE(chunk().stepByte(PatternImage::kQueued, 2, 2, 1), 0x90);
  playAt(0.25);
  EXPECT_TRUE(currentHolds(4));
}

TEST_F(IncomingMidi, BypassAndOtherMessagesChangeNothing) {
  load(image);
  const auto before = chunk().bytes();
  host.sendMidi({midiEvent(0x90, 60, 0), midiEvent(0x80, 60, 64), midiEvent(0x90, 47, 100),
                 midiEvent(0x90, 72, 100), midiEvent(0xB0, 1, 5), midiEvent(0xB0, 126, 5),
                 midiEvent(0xE0, 0, 64), midiEvent(0xA0, 50, 5)});
  VstEvent sysex{};
  sysex.type = 6;
  std::vector<unsigned char> storage(sizeof(VstEvents));
  auto* list = reinterpret_cast<VstEvents*>(storage.data());
  list->numEvents = 1;
  list->events[0] = &sysex;
  EXPECT_EQ(host.dispatch(effProcessEvents, 0, 0, list), 1);
  EXPECT_EQ(host.sendMidi({}), 1);
  EXPECT_TRUE(chunk().bytes() == before);

  for (int slot = 0; slot < 26; ++slot) image.patternByte(slot, 3) = 1;  // trigger bypass
  load(image);
  host.sendMidi({midiEvent(0x90, 50, 100)});
  EXPECT_FALSE(currentHolds(2));
}

TEST_F(IncomingMidi, NothingReceivedIsSentOn) {
  host.transport.playing = false;
  host.processBlock(512);  // the first standing block's note-offs
  const auto afterStop = host.received.size();
  host.sendMidi({midiEvent(0x90, 60, 100), midiEvent(0x90, 50, 100), midiEvent(0x80, 60, 0)});
  host.processBlock(512);
  EXPECT_EQ(host.received.size(), afterStop);
}
