// The audio thread's entries never allocate: every block, stop, recall and
// event list of the step clock and the MIDI handler runs on fixed storage.
#include <gtest/gtest.h>

#include "engine/APlugin.h"
#include "engine/ValueKind.h"
#include "tests/engine/AllocationWatch.h"

namespace {

VstTimeInfo hostTime{};
int eventsReceived = 0;

// A host that itself never allocates, so every count is the plug-in's.
VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterGetTime: return reinterpret_cast<VstIntPtr>(&hostTime);
    case audioMasterProcessEvents:
      eventsReceived += static_cast<const VstEvents*>(ptr)->numEvents;
      return 1;
    default: return 0;
  }
}

}  // namespace

TEST(RealtimeSafety, BlocksStopsAndRecallsNeverAllocate) {
  APlugin plugin(&quietHost, nullptr);
  for (VstInt32 row = 0; row < 12; ++row)
    for (VstInt32 step = 0; step < 32; ++step) {
      plugin.setPatternValue(step, row, 0x90, StepState);
      plugin.setPatternValue(step, row, static_cast<VstInt16>(step % 3 + 1), StepMode);
      plugin.setPatternValue(step, row, static_cast<VstInt16>((step - 16) * 97), StepShift);
    }
  plugin.setPatternValue(1, 0, 3, PatternStoreRecall);

  VstMidiEvent recall{};
  recall.type = kVstMidiType;
  recall.midiData[0] = 0x90;
  recall.midiData[1] = 51;
  recall.midiData[2] = 100;
  VstEvents incoming{};
  incoming.numEvents = 1;
  incoming.events[0] = reinterpret_cast<VstEvent*>(&recall);

  hostTime.sampleRate = 44100.0;
  hostTime.tempo = 120.0;
  eventsReceived = 0;
  {
    AllocationWatch watch;
    double ppqPos = 0.0;
    for (int block = 0; block < 2000; ++block) {
      const VstInt32 frames = (block % 7 + 1) * 97;
      hostTime.ppqPos = ppqPos;
      hostTime.barStartPos = block < 1000 ? static_cast<double>(static_cast<long long>(ppqPos / 4) * 4) : 0.0;
      hostTime.flags = (block % 300) < 290 ? kVstTransportPlaying : 0;
      if (block % 50 == 0) plugin.processEvents(&incoming);
      plugin.processReplacing(nullptr, nullptr, frames);
      if (hostTime.flags) ppqPos += frames * hostTime.tempo / (60.0 * hostTime.sampleRate);
    }
  }
  EXPECT_GT(eventsReceived, 1000);  // it really played
  EXPECT_EQ(AllocationWatch::total(), 0);
}
