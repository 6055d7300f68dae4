// The plug-in's requests to the host: what goes out and what each answers,
// with a host and without one.
#include <gtest/gtest.h>

#include <vector>

#include "frame/DAudioEffectX.h"

namespace {

struct Request {
  AEffect* effect;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

std::vector<Request> requests;
VstIntPtr nextAnswer = 0;

VstIntPtr fakeHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt) {
  requests.push_back({effect, opcode, index, value, ptr, opt});
  return nextAnswer;
}

class Effect : public AudioEffectX {
public:
  explicit Effect(audioMasterCallback master) : AudioEffectX(master, 1, 0) {}
  void process(float**, float**, VstInt32) override {}
};

class HostWrapper : public ::testing::Test {
protected:
  void SetUp() override {
    requests.clear();
    nextAnswer = 0;
  }
  Effect effect{fakeHost};
  Effect orphan{nullptr};
};

}  // namespace

TEST_F(HostWrapper, MasterVersionIsOneWhenTheHostAnswersZeroOrIsAbsent) {
  EXPECT_EQ(effect.getMasterVersion(), 1);
  nextAnswer = 2400;
  EXPECT_EQ(effect.getMasterVersion(), 2400);
  EXPECT_EQ(orphan.getMasterVersion(), 1);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].opcode, audioMasterVersion);
  EXPECT_EQ(requests[0].effect, effect.getAeffect());
}

TEST_F(HostWrapper, PinsAreConnectedExactlyWhenTheHostAnswersZero) {
  EXPECT_TRUE(effect.isInputConnected(3));
  EXPECT_TRUE(effect.isOutputConnected(1));
  EXPECT_EQ(requests[0].index, 3);
  EXPECT_EQ(requests[0].value, 0);
  EXPECT_EQ(requests[1].value, 1);
  for (VstIntPtr answer : {1, -1, 7}) {
    nextAnswer = answer;
    EXPECT_FALSE(effect.isInputConnected(0));
    EXPECT_FALSE(effect.isOutputConnected(0));
  }
  EXPECT_TRUE(orphan.isInputConnected(0));
  EXPECT_TRUE(orphan.isOutputConnected(0));
}

TEST_F(HostWrapper, EventsAreDeliveredOnlyWhenTheHostAnswersExactlyOne) {
  VstEvents list{};
  nextAnswer = 1;
  EXPECT_TRUE(effect.sendVstEventsToHost(&list));
  EXPECT_EQ(requests.back().opcode, audioMasterProcessEvents);
  EXPECT_EQ(requests.back().ptr, &list);
  for (VstIntPtr answer : {0, 2, -1}) {
    nextAnswer = answer;
    EXPECT_FALSE(effect.sendVstEventsToHost(&list));
  }
  EXPECT_FALSE(orphan.sendVstEventsToHost(&list));
}

TEST_F(HostWrapper, FileSelectorWithoutARecordDoesNotCallTheHost) {
  nextAnswer = 1;
  EXPECT_FALSE(effect.openFileSelector(nullptr));
  EXPECT_TRUE(requests.empty());
  int record = 0;
  EXPECT_TRUE(effect.openFileSelector(&record));
  EXPECT_EQ(requests.back().opcode, audioMasterOpenFileSelector);
}

TEST_F(HostWrapper, TimeInfoIsTheHostsRecordOrNull) {
  VstTimeInfo info{};
  nextAnswer = reinterpret_cast<VstIntPtr>(&info);
  EXPECT_EQ(effect.getTimeInfo(0x7FFF), &info);
  EXPECT_EQ(requests.back().opcode, audioMasterGetTime);
  EXPECT_EQ(requests.back().value, 0x7FFF);
  nextAnswer = 0;
  EXPECT_EQ(effect.getTimeInfo(0x7FFF), nullptr);
  EXPECT_EQ(orphan.getTimeInfo(0x7FFF), nullptr);
}

TEST_F(HostWrapper, WantEventsAsksWithItsFilter) {
  effect.wantEvents(1);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].opcode, audioMasterWantMidi);
  EXPECT_EQ(requests[0].value, 1);
  orphan.wantEvents(1);
  EXPECT_EQ(requests.size(), 1u);
}

TEST_F(HostWrapper, ArgumentsTravelInTheirPlaces) {
  char text[] = "sizeWindow";
  int record = 0;
  effect.setParameterAutomated(4, 0.25f);
  effect.tempoAt(960);
  effect.sizeWindow(746, 321);
  effect.offlineStart(&record, 3, 5);
  effect.offlineRead(&record, 9, true);
  effect.offlineWrite(&record, 8);
  effect.setOutputSamplerate(48000.0f);
  effect.getSpeakerArrangement(&record, text);
  effect.hostVendorSpecific(11, 12, &record, 1.5f);
  effect.canHostDo(text);
  effect.beginEdit(6);
  effect.endEdit(7);
  ASSERT_EQ(requests.size(), 12u);
  const auto expect = [](const Request& r, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                         const void* ptr, float opt) {
    EXPECT_EQ(r.opcode, opcode);
    EXPECT_EQ(r.index, index) << opcode;
    EXPECT_EQ(r.value, value) << opcode;
    EXPECT_EQ(r.ptr, ptr) << opcode;
    EXPECT_EQ(r.opt, opt) << opcode;
  };
  expect(requests[0], audioMasterAutomate, 4, 0, nullptr, 0.25f);
  expect(requests[1], audioMasterTempoAt, 0, 960, nullptr, 0);
  expect(requests[2], audioMasterSizeWindow, 746, 321, nullptr, 0);
  expect(requests[3], audioMasterOfflineStart, 5, 3, &record, 0);
  expect(requests[4], audioMasterOfflineRead, 1, 9, &record, 0);
  expect(requests[5], audioMasterOfflineWrite, 0, 8, &record, 0);
  expect(requests[6], audioMasterSetOutputSampleRate, 0, 0, nullptr, 48000.0f);
  expect(requests[7], audioMasterGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&record),
         text, 0);
  expect(requests[8], audioMasterVendorSpecific, 11, 12, &record, 1.5f);
  expect(requests[9], audioMasterCanDo, 0, 0, text, 0);
  expect(requests[10], audioMasterBeginEdit, 6, 0, nullptr, 0);
  expect(requests[11], audioMasterEndEdit, 7, 0, nullptr, 0);
}

TEST_F(HostWrapper, BooleanAnswersAreAnythingButZero) {
  nextAnswer = 5;
  EXPECT_TRUE(effect.ioChanged());
  EXPECT_TRUE(effect.needIdle());
  EXPECT_TRUE(effect.updateDisplay());
  EXPECT_TRUE(effect.closeWindow(nullptr));
  EXPECT_EQ(effect.offlineGetCurrentPass(), 1);
  EXPECT_EQ(effect.offlineGetCurrentMetaPass(), 1);
  EXPECT_EQ(effect.getCurrentUniqueId(), 5);
  EXPECT_EQ(effect.getHostLanguage(), 5);
  nextAnswer = 0;
  EXPECT_FALSE(effect.ioChanged());
  EXPECT_EQ(effect.offlineGetCurrentPass(), 0);
}

TEST_F(HostWrapper, WithoutAHostEveryRequestAnswersItsDefault) {
  char text[65] = "unchanged";
  int record = 0;
  orphan.setParameterAutomated(0, 1.0f);
  orphan.masterIdle();
  orphan.setOutputSamplerate(1.0f);
  EXPECT_EQ(orphan.getCurrentUniqueId(), 0);
  EXPECT_EQ(orphan.tempoAt(0), 0);
  EXPECT_EQ(orphan.getNumAutomatableParameters(), 0);
  EXPECT_EQ(orphan.getParameterQuantization(), 0);
  EXPECT_FALSE(orphan.ioChanged());
  EXPECT_FALSE(orphan.needIdle());
  EXPECT_FALSE(orphan.sizeWindow(1, 1));
  EXPECT_EQ(orphan.updateSampleRate(), 44100.0);
  EXPECT_EQ(orphan.updateBlockSize(), 1024);
  EXPECT_EQ(orphan.getInputLatency(), 0);
  EXPECT_EQ(orphan.getOutputLatency(), 0);
  EXPECT_EQ(orphan.getPreviousPlug(), nullptr);
  EXPECT_EQ(orphan.getNextPlug(), nullptr);
  EXPECT_EQ(orphan.willProcessReplacing(), 0);
  EXPECT_EQ(orphan.getCurrentProcessLevel(), 0);
  EXPECT_EQ(orphan.getAutomationState(), 0);
  EXPECT_FALSE(orphan.offlineStart(&record, 1, 1));
  EXPECT_FALSE(orphan.offlineRead(&record, 0, false));
  EXPECT_FALSE(orphan.offlineWrite(&record, 0));
  EXPECT_EQ(orphan.offlineGetCurrentPass(), 0);
  EXPECT_EQ(orphan.offlineGetCurrentMetaPass(), 0);
  EXPECT_FALSE(orphan.getSpeakerArrangement(&record, &record));
  EXPECT_FALSE(orphan.getHostVendorString(text));
  EXPECT_FALSE(orphan.getHostProductString(text));
  EXPECT_STREQ(text, "unchanged");
  EXPECT_EQ(orphan.getHostVendorVersion(), 0);
  EXPECT_EQ(orphan.hostVendorSpecific(1, 2, nullptr, 0), 0);
  EXPECT_EQ(orphan.canHostDo(text), 0);
  EXPECT_EQ(orphan.getHostLanguage(), 0);
  EXPECT_EQ(orphan.openWindow(&record), nullptr);
  EXPECT_FALSE(orphan.closeWindow(&record));
  EXPECT_EQ(orphan.getDirectory(), nullptr);
  EXPECT_FALSE(orphan.updateDisplay());
  EXPECT_FALSE(orphan.beginEdit(0));
  EXPECT_FALSE(orphan.endEdit(0));
  EXPECT_FALSE(orphan.openFileSelector(&record));
  EXPECT_TRUE(requests.empty());
}
