// What a careful host would say about the MIDI a plug-in sent it: counts of
// notes, notes left hanging, and the ways a list can break the rules hosts
// rely on (events inside their block, lists in time order).
#pragma once

#include <string>
#include <vector>

#include "host/VstHost.h"

struct MidiSummary {
  int noteOns = 0;
  int noteOffs = 0;
  // A note-on on a key and channel that was already sounding: the earlier
  // note never got its own note-off.
  int struckWhileSounding = 0;
  // Note-ons without a note-off at the end (per key and channel).
  int hanging = 0;
  int outsideBlock = 0;      // deltaFrames < 0 or >= the block's frames
  int listsOutOfOrder = 0;   // a list whose deltaFrames go backwards
  int blocksOutOfOrder = 0;  // a block whose events, list after list, go backwards
  int blocks = 0;
  int noisyBlocks = 0;  // processReplacing calls that left the outputs as they were handed over

  bool midiClean() const {
    return hanging == 0 && struckWhileSounding == 0 && outsideBlock == 0 && listsOutOfOrder == 0 &&
           blocksOutOfOrder == 0;
  }
  bool clean() const { return midiClean() && noisyBlocks == 0; }
};

MidiSummary summarize(const std::vector<ReceivedEvent>& received, const std::vector<PlayedBlock>& blocks);

// A few lines for the user, naming each fault found.
std::string describe(const MidiSummary& summary);
