#include "host/MidiSummary.h"

#include <array>
#include <cstdio>

namespace {

bool isNoteOn(const VstMidiEvent& m) { return (m.midiData[0] & 0xF0) == 0x90 && m.midiData[2] != 0; }
bool isNoteOff(const VstMidiEvent& m) {
  return (m.midiData[0] & 0xF0) == 0x80 || ((m.midiData[0] & 0xF0) == 0x90 && m.midiData[2] == 0);
}

}  // namespace

MidiSummary summarize(const std::vector<ReceivedEvent>& received, const std::vector<PlayedBlock>& blocks) {
  MidiSummary summary;
  summary.blocks = static_cast<int>(blocks.size());
  for (const PlayedBlock& block : blocks)
    if (!block.silent) ++summary.noisyBlocks;

  std::array<int, 16 * 128> sounding{};
  const ReceivedEvent* previous = nullptr;
  bool blockCounted = false;
  for (const ReceivedEvent& e : received) {
    const VstMidiEvent& m = e.midi;
    const auto block = static_cast<std::size_t>(e.block);
    if (block >= blocks.size() || m.deltaFrames < 0 || m.deltaFrames >= blocks[block].frames)
      ++summary.outsideBlock;

    const bool sameBlock = previous && previous->block == e.block;
    if (!sameBlock) blockCounted = false;
    if (sameBlock && m.deltaFrames < previous->midi.deltaFrames) {
      if (previous->list == e.list) ++summary.listsOutOfOrder;
      if (!blockCounted) ++summary.blocksOutOfOrder;
      blockCounted = true;
    }
    previous = &e;

    int& count = sounding[static_cast<std::size_t>((m.midiData[0] & 0x0F) * 128 + (m.midiData[1] & 0x7F))];
    if (isNoteOn(m)) {
      ++summary.noteOns;
      if (count > 0) ++summary.struckWhileSounding;
      ++count;
    } else if (isNoteOff(m)) {
      ++summary.noteOffs;
      if (count > 0) --count;
    }
  }
  for (int count : sounding) summary.hanging += count;
  return summary;
}

std::string describe(const MidiSummary& s) {
  char text[640];
  std::snprintf(text, sizeof text,
                "note-ons %d, note-offs %d, notes still sounding at the end %d\n"
                "note-ons on a key already sounding (no note-off between) %d\n"
                "events outside their block %d, lists out of time order %d, blocks out of time order %d\n"
                "outputs silent in %d of %d blocks\n%s",
                s.noteOns, s.noteOffs, s.hanging, s.struckWhileSounding, s.outsideBlock, s.listsOutOfOrder,
                s.blocksOutOfOrder, s.blocks - s.noisyBlocks, s.blocks,
                s.clean() ? "no faults found\n" : "");
  return text;
}
