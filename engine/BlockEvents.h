// The MIDI events of one audio block, in the shape the host's event sending
// call takes (a VstEvents header followed by its event pointers), on storage
// fixed at construction: the audio thread fills and sorts it without
// allocating, and the caller hands it to the host in one call once it holds
// nothing the editor may want.
#pragma once

#include <cstddef>

#include "frame/DAEffectX.h"

class BlockEvents {
public:
  // A block at any ordinary tempo forms a few dozen events; this leaves room
  // for a 4096-frame block at 192 kHz and a tempo of 1000. The clock keeps
  // every row's events whole (a strike that does not fit is not made), so a
  // full list never leaves a note without its note-off.
  static constexpr int kCapacity = 2048;

  BlockEvents();
  BlockEvents(const BlockEvents&) = delete;
  BlockEvents& operator=(const BlockEvents&) = delete;

  void clear() { header_.numEvents = 0; }
  int size() const { return header_.numEvents; }
  int room() const { return kCapacity - header_.numEvents; }
  const VstMidiEvent& at(int index) const;
  // A three-byte channel message; data bytes are cut to seven bits.
  void add(VstInt32 deltaFrames, unsigned status, unsigned data1, unsigned data2);
  // Time order, as hosts and MIDI interfaces expect it: by deltaFrames,
  // note-offs before note-ons at the same frame, otherwise in the order added.
  void sortByTime();
  VstEvents* asVstEvents() { return reinterpret_cast<VstEvents*>(&header_); }

private:
  // VstEvents declares two pointers; the rest of the list follows at once.
  struct Header {
    VstInt32 numEvents = 0;
    VstIntPtr reserved = 0;
    VstEvent* events[kCapacity] = {};
  };
  static_assert(offsetof(Header, reserved) == offsetof(VstEvents, reserved));
  static_assert(offsetof(Header, events) == offsetof(VstEvents, events));

  Header header_;
  VstMidiEvent midi_[kCapacity] = {};
};
