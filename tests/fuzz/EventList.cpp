#include "tests/fuzz/EventList.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

namespace {

constexpr std::int64_t kMostSlots = 4096;

// Statuses that reach the plug-in's handling (note-ons recall patterns,
// controllers and pitch bend refresh the editor) and anything else.
unsigned char statusByte(FuzzInput& in) {
  static const unsigned char statuses[] = {0x90, 0x9F, 0x80, 0xB0, 0xE0, 0xF8};
  const auto pick = in.range(0, sizeof statuses);
  return pick < static_cast<std::int64_t>(sizeof statuses) ? statuses[pick] : in.byte();
}

VstEvent event(FuzzInput& in) {
  VstMidiEvent midi{};
  midi.type = in.range(0, 3) == 0 ? in.raw<VstInt32>() : kVstMidiType;
  midi.byteSize = in.range(0, 1) == 0 ? static_cast<VstInt32>(sizeof midi) : in.raw<VstInt32>();
  midi.deltaFrames = static_cast<VstInt32>(in.range(-2, 4096));
  midi.midiData[0] = statusByte(in);
  midi.midiData[1] = static_cast<unsigned char>(in.range(0, 1) == 0 ? in.range(44, 75) : in.byte());
  midi.midiData[2] = in.byte();
  VstEvent any{};
  static_assert(sizeof any == sizeof midi);
  std::memcpy(&any, &midi, sizeof any);
  return any;
}

}  // namespace

EventList::EventList(FuzzInput& in) {
  const std::int64_t declared = in.range(0, 3) == 0 ? static_cast<std::int64_t>(in.raw<VstInt32>())
                                                    : in.range(0, 64);
  const std::int64_t slots = std::clamp<std::int64_t>(declared, 0, kMostSlots);
  const auto held = static_cast<std::size_t>(std::min<std::int64_t>(slots, in.range(0, 64)));
  events_.reserve(held);
  for (std::size_t i = 0; i < held; ++i) events_.push_back(event(in));

  // The header, then one pointer per declared event (never fewer than the
  // two the record declares).
  constexpr std::size_t kHeader = offsetof(VstEvents, events) / sizeof(void*);
  const std::size_t pointers = kHeader + static_cast<std::size_t>(std::max<std::int64_t>(slots, 2));
  storage_ = std::make_unique<void*[]>(pointers);
  list_ = new (storage_.get()) VstEvents{};
  list_->numEvents = declared > kMostSlots ? static_cast<VstInt32>(kMostSlots)
                                           : static_cast<VstInt32>(declared);
  VstEvent** slot = &list_->events[0];
  for (std::size_t i = 0; i < held; ++i)
    // Some entries stay null, as broken hosts leave them.
    slot[i] = in.range(0, 7) == 0 ? nullptr : &events_[i];
}
