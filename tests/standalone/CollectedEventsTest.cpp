// The events a block collects are what a MIDI port takes: inside the block,
// in time order across the lists the plug-in sent, and never more than the
// fixed storage holds.
#include <gtest/gtest.h>

#include <vector>

#include "host/VstHost.h"
#include "host/standalone/CollectedEvents.h"

namespace {

// A list as the plug-in hands it to the host.
struct SentList {
  explicit SentList(std::vector<VstMidiEvent> events) : midi(std::move(events)) {
    storage.resize(sizeof(VstEvents) + midi.size() * sizeof(VstEvent*));
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<VstInt32>(midi.size());
    VstEvent** slots = list->events;
    for (std::size_t i = 0; i < midi.size(); ++i) slots[i] = reinterpret_cast<VstEvent*>(&midi[i]);
  }
  const VstEvents& list() const { return *reinterpret_cast<const VstEvents*>(storage.data()); }
  std::vector<VstMidiEvent> midi;
  std::vector<unsigned char> storage;
};

std::vector<std::pair<int, int>> framesAndNotes(const CollectedEvents& events) {
  std::vector<std::pair<int, int>> result;
  for (const VstMidiEvent& event : events) result.emplace_back(event.deltaFrames, event.midiData[1]);
  return result;
}

}  // namespace

// Lists sent one after another merge by frame; equal frames keep the order sent.
TEST(CollectedEvents, ListsMergeInTimeOrderKeepingTheOrderSentAtEqualFrames) {
  CollectedEvents events;
  events.begin(256);
  events.take(SentList({midiEvent(0x80, 1, 0, 100), midiEvent(0x90, 2, 90, 100)}).list());
  events.take(SentList({midiEvent(0x90, 3, 90, 10), midiEvent(0x80, 4, 0, 100), midiEvent(0x90, 5, 9, 200)}).list());
  EXPECT_EQ(framesAndNotes(events),
            (std::vector<std::pair<int, int>>{{10, 3}, {100, 1}, {100, 2}, {100, 4}, {200, 5}}));
  events.begin(64);
  EXPECT_EQ(events.size(), 0u);
}

// A note-off one frame before a note-on at frame 0 goes out at frame 0, before it.
TEST(CollectedEvents, FramesOutsideTheBlockMoveToItsNearerEdgeAndAreCounted) {
  CollectedEvents events;
  events.begin(128);
  events.take(SentList({midiEvent(0x80, 1, 0, -1), midiEvent(0x90, 1, 90, 0), midiEvent(0x90, 2, 90, 128),
                        midiEvent(0x90, 3, 90, 127)}).list());
  EXPECT_EQ(framesAndNotes(events), (std::vector<std::pair<int, int>>{{0, 1}, {0, 1}, {127, 2}, {127, 3}}));
  EXPECT_EQ(events[0].midiData[0], 0x80);
  EXPECT_EQ(events.takeMovedCount(), 2u);
  EXPECT_EQ(events.takeMovedCount(), 0u);
}

// Sysex and other kinds of event are not MIDI a port could carry as they are.
TEST(CollectedEvents, OnlyMidiEventsAreTaken) {
  VstMidiEvent other = midiEvent(0xF0, 1, 2, 5);
  other.type = 6;  // VST 2's system exclusive kind
  CollectedEvents events;
  events.begin(64);
  events.take(SentList({other, midiEvent(0x90, 60, 100, 5)}).list());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].midiData[1], 60);
}

// The storage is fixed: what does not fit, or comes in a block without frames, is dropped and counted.
TEST(CollectedEvents, WhatDoesNotFitIsDroppedAndCounted) {
  CollectedEvents events;
  events.begin(1024);
  std::vector<VstMidiEvent> many;
  for (std::size_t i = 0; i < CollectedEvents::kCapacity + 3; ++i)
    many.push_back(midiEvent(0x90, 60, 100, static_cast<VstInt32>(i % 1024)));
  events.take(SentList(many).list());
  EXPECT_EQ(events.size(), CollectedEvents::kCapacity);
  EXPECT_EQ(events.takeDroppedCount(), 3u);
  events.begin(0);
  events.take(SentList({midiEvent(0x90, 60, 100, 0)}).list());
  EXPECT_EQ(events.size(), 0u);
  EXPECT_EQ(events.takeDroppedCount(), 1u);
}
