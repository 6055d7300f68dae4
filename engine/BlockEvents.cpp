#include "engine/BlockEvents.h"

#include <algorithm>
#include <functional>

BlockEvents::BlockEvents() {
  for (int i = 0; i < kCapacity; ++i) {
    midi_[i].type = kVstMidiType;
    midi_[i].byteSize = 24;
  }
}

const VstMidiEvent& BlockEvents::at(int index) const {
  return *reinterpret_cast<const VstMidiEvent*>(header_.events[index]);
}

void BlockEvents::add(VstInt32 deltaFrames, unsigned status, unsigned data1, unsigned data2) {
  if (header_.numEvents >= kCapacity) return;
  VstMidiEvent& event = midi_[header_.numEvents];
  event.deltaFrames = deltaFrames;
  event.midiData[0] = static_cast<unsigned char>(status & 0xFF);
  event.midiData[1] = static_cast<unsigned char>(data1 & 0x7F);
  event.midiData[2] = static_cast<unsigned char>(data2 & 0x7F);
  header_.events[header_.numEvents] = reinterpret_cast<VstEvent*>(&event);
  ++header_.numEvents;
}

void BlockEvents::sortByTime() {
  // Events sit in midi_ in the order they were added, so their addresses
  // break ties and an in-place sort (which allocates nothing) is stable.
  auto earlier = [](const VstEvent* a, const VstEvent* b) {
    const auto* x = reinterpret_cast<const VstMidiEvent*>(a);
    const auto* y = reinterpret_cast<const VstMidiEvent*>(b);
    if (x->deltaFrames != y->deltaFrames) return x->deltaFrames < y->deltaFrames;
    const bool xOn = (x->midiData[0] & 0xF0) == 0x90;
    const bool yOn = (y->midiData[0] & 0xF0) == 0x90;
    if (xOn != yOn) return yOn;
    return std::less<const VstEvent*>()(a, b);
  };
  std::sort(header_.events, header_.events + header_.numEvents, earlier);
}
