// The summary a host prints after playing names each way a plug-in's MIDI can
// go wrong, and counts what went right.
#include <gtest/gtest.h>

#include "host/MidiSummary.h"

namespace {

PlayedBlock block(VstInt32 frames, bool silent = true) { return {0.0, frames, VstTimeInfo{}, silent}; }

ReceivedEvent event(int blockIndex, int list, unsigned char status, unsigned char note, VstInt32 delta) {
  return {blockIndex, list, midiEvent(status, note, status >= 0x90 ? 100 : 0, delta)};
}

}  // namespace

TEST(MidiSummary, MatchedNotesInOrderAreClean) {
  const MidiSummary s = summarize({event(0, 0, 0x90, 60, 0), event(0, 0, 0x80, 60, 99), event(0, 1, 0x91, 60, 99),
                                   event(1, 0, 0x81, 60, 0), event(1, 0, 0x80, 61, 5)},
                                  {block(100), block(100)});
  EXPECT_EQ(s.noteOns, 2);
  EXPECT_EQ(s.noteOffs, 3);  // a note-off for a silent key is harmless
  EXPECT_TRUE(s.clean()) << describe(s);
}

TEST(MidiSummary, CountsEachFault) {
  struct Case {
    const char* fault;
    std::vector<ReceivedEvent> received;
    int MidiSummary::*field;
  };
  const Case cases[] = {
      {"a note never ended", {event(0, 0, 0x90, 60, 0)}, &MidiSummary::hanging},
      {"the same key struck twice", {event(0, 0, 0x90, 60, 0), event(0, 0, 0x90, 60, 5), event(0, 0, 0x80, 60, 9)},
       &MidiSummary::struckWhileSounding},
      {"before the block", {event(0, 0, 0x80, 60, -1)}, &MidiSummary::outsideBlock},
      {"after the block", {event(0, 0, 0x80, 60, 100)}, &MidiSummary::outsideBlock},
      {"outside any block", {event(2, 0, 0x80, 60, 0)}, &MidiSummary::outsideBlock},
      {"a list going backwards", {event(0, 0, 0x80, 60, 175), event(0, 0, 0x80, 61, 174)},
       &MidiSummary::listsOutOfOrder},
      {"two lists going backwards", {event(0, 0, 0x80, 60, 175), event(0, 1, 0x80, 61, 174)},
       &MidiSummary::blocksOutOfOrder},
  };
  for (const Case& c : cases) {
    const MidiSummary s = summarize(c.received, {block(100), block(100)});
    EXPECT_EQ(s.*c.field, 1) << c.fault;
    EXPECT_FALSE(s.midiClean()) << c.fault;
  }
  const MidiSummary noisy = summarize({}, {block(100), block(100, false)});
  EXPECT_EQ(noisy.noisyBlocks, 1);
  EXPECT_TRUE(noisy.midiClean());
  EXPECT_FALSE(noisy.clean());
  EXPECT_NE(describe(noisy).find("outputs silent in 1 of 2 blocks"), std::string::npos);
}
