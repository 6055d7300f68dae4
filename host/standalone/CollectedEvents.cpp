#include "host/standalone/CollectedEvents.h"

#include <algorithm>
#include <cstring>
#include <utility>

void CollectedEvents::begin(VstInt32 frames) {
  size_ = 0;
  frames_ = frames;
}

void CollectedEvents::take(const VstEvents& list) {
  VstEvent* const* events = list.events;
  for (VstInt32 i = 0; i < list.numEvents; ++i) {
    const VstEvent* event = events[i];
    if (!event || event->type != kVstMidiType) continue;
    VstMidiEvent midi;
    std::memcpy(&midi, event, sizeof midi);
    insert(midi);
  }
}

void CollectedEvents::insert(const VstMidiEvent& event) {
  if (size_ == kCapacity || frames_ <= 0) {
    ++dropped_;
    return;
  }
  VstMidiEvent placed = event;
  const VstInt32 inside = std::clamp(placed.deltaFrames, 0, frames_ - 1);
  if (inside != placed.deltaFrames) ++moved_;
  placed.deltaFrames = inside;
  std::size_t at = size_;
  while (at > 0 && events_[at - 1].deltaFrames > inside) {
    events_[at] = events_[at - 1];
    --at;
  }
  events_[at] = placed;
  ++size_;
}

std::size_t CollectedEvents::takeMovedCount() { return std::exchange(moved_, 0); }
std::size_t CollectedEvents::takeDroppedCount() { return std::exchange(dropped_, 0); }
