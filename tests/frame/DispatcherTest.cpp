// The dispatcher's opcode tables, through the record as a host calls them,
// on an effect with the base behaviour everywhere.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "frame/DAudioEffectX.h"

namespace {

int liveEffects = 0;

class BaseEffect : public AudioEffectX {
public:
  explicit BaseEffect(audioMasterCallback master = nullptr) : AudioEffectX(master, 16, 0) {
    ++liveEffects;
  }
  ~BaseEffect() override { --liveEffects; }
  void process(float**, float**, VstInt32) override {}
  void suspend() override { ++suspends; }
  void resume() override { ++resumes; }
  int suspends = 0;
  int resumes = 0;
};

class RecordingEditor : public AEffEditor {
public:
  explicit RecordingEditor(AudioEffect* effect, bool* destroyed) : AEffEditor(effect), destroyed(destroyed) {}
  ~RecordingEditor() override { *destroyed = true; }
  void update() override { ++updates; }
  int updates = 0;
  bool* destroyed;
};

VstIntPtr call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
               void* ptr = nullptr, float opt = 0.0f) {
  return e->dispatcher(e, opcode, index, value, ptr, opt);
}

}  // namespace

TEST(Dispatcher, AnswersTheBaseTableForTheExtendedOpcodes) {
  BaseEffect effect;
  AEffect* e = effect.getAeffect();
  EXPECT_EQ(call(e, effIdentify), fourCharCode('N', 'v', 'E', 'f'));
  EXPECT_EQ(call(e, effGetVstVersion), 2200);
  EXPECT_EQ(call(e, effGetNumProgramCategories), 1);
  EXPECT_EQ(call(e, effKeysRequired), 1);
  char buffer[64] = {};
  EXPECT_EQ(call(e, effGetCurrentMidiProgram, 0, 0, buffer), -1);
  for (VstInt32 index : {-5, 0, 7, 100000}) EXPECT_EQ(call(e, effCanBeAutomated, index), 1);
  EXPECT_EQ(call(e, effConnectInput, 0, 1), 1);
  EXPECT_EQ(call(e, effConnectOutput, 1, 0), 1);
  EXPECT_EQ(call(e, effGetPlugCategory), kPlugCategUnknown);
  effect.isSynth(true);
  EXPECT_EQ(call(e, effGetPlugCategory), kPlugCategSynth);
  EXPECT_EQ(call(e, effSetBlockSizeAndSampleRate, 0, 256, nullptr, 48000.0f), 1);
  EXPECT_EQ(effect.updateBlockSize(), 256);
  EXPECT_EQ(effect.updateSampleRate(), 48000.0);
  EXPECT_EQ(call(e, effGetEffectName, 0, 0, buffer), 0);
  EXPECT_EQ(call(e, effCanDo, 0, 0, const_cast<char*>("sendVstMidiEvent")), 0);
}

TEST(Dispatcher, UnknownAndNegativeOpcodesAnswerZero) {
  BaseEffect effect;
  AEffect* e = effect.getAeffect();
  for (VstInt32 opcode : {69, 70, 1000, -1, -100000}) EXPECT_EQ(call(e, opcode, 1, 1), 0);
  for (VstInt32 opcode : {effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep})
    EXPECT_EQ(call(e, opcode), 0);
}

TEST(Dispatcher, SetProgramReachesTheEffectOnlyBelowTheProgramCount) {
  BaseEffect effect;
  AEffect* e = effect.getAeffect();
  call(e, effSetProgram, 0, 15);
  EXPECT_EQ(call(e, effGetProgram), 15);
  call(e, effSetProgram, 0, 16);
  EXPECT_EQ(call(e, effGetProgram), 15);
  call(e, effSetProgram, 0, -3);  // signed comparison: the base takes it
  EXPECT_EQ(call(e, effGetProgram), -3);
}

TEST(Dispatcher, MainsChangedCallsSuspendOrResumeOnly) {
  BaseEffect effect;
  AEffect* e = effect.getAeffect();
  call(e, effMainsChanged, 0, 0);
  EXPECT_EQ(effect.suspends, 1);
  EXPECT_EQ(effect.resumes, 0);
  call(e, effMainsChanged, 0, 7);
  EXPECT_EQ(effect.suspends, 1);
  EXPECT_EQ(effect.resumes, 1);
}

TEST(Dispatcher, SampleRateAndBlockSizeReachTheBase) {
  BaseEffect effect;
  AEffect* e = effect.getAeffect();
  EXPECT_EQ(effect.updateSampleRate(), 44100.0);
  EXPECT_EQ(effect.updateBlockSize(), 1024);
  call(e, effSetSampleRate, 0, 0, nullptr, 96000.0f);
  call(e, effSetBlockSize, 0, 64);
  EXPECT_EQ(effect.updateSampleRate(), 96000.0);
  EXPECT_EQ(effect.updateBlockSize(), 64);
}

TEST(Dispatcher, EditorOpcodesReachTheEditorOrAnswerZeroWithoutOne) {
  BaseEffect effect;
  AEffect* e = effect.getAeffect();
  VstIntPtr rectAddress = 0;
  EXPECT_EQ(call(e, effEditGetRect, 0, 0, &rectAddress), 0);
  EXPECT_EQ(call(e, effEditKeyDown, 'a', 0), 0);
  EXPECT_EQ(call(e, effEditOpen, 0, 0, &rectAddress), 0);
  EXPECT_EQ(e->flags & effFlagsHasEditor, 0);

  bool destroyed = false;
  auto* editor = new RecordingEditor(&effect, &destroyed);
  effect.setEditor(editor);
  EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
  EXPECT_EQ(call(e, effEditKeyDown, 'a', 3, nullptr, 2.0f), -1);
  EXPECT_EQ(call(e, effEditKeyUp, 'a', 3), -1);
  EXPECT_EQ(call(e, effSetEditKnobMode, 0, 2), 0);
  editor->postUpdate();
  call(e, effEditIdle);
  call(e, effEditIdle);
  EXPECT_EQ(editor->updates, 1);  // idle updates once per posted update
  effect.setEditor(nullptr);
  EXPECT_EQ(e->flags & effFlagsHasEditor, 0);
  delete editor;
  EXPECT_TRUE(destroyed);
}

TEST(Dispatcher, NullPointerOnAnOpcodeThatWritesAnswersZero) {
  class Writer : public BaseEffect {
  public:
    bool getEffectName(char* name) override { std::strcpy(name, "x"); return true; }
    void getProgramName(char* name) override { std::strcpy(name, "x"); }
    VstInt32 getChunk(void** data, bool) override { *data = this; return 8; }
  } effect;
  AEffect* e = effect.getAeffect();
  EXPECT_EQ(call(e, effGetEffectName), 0);
  EXPECT_EQ(call(e, effGetProgramName), 0);
  EXPECT_EQ(call(e, effGetChunk), 0);
  void* chunk = nullptr;
  EXPECT_EQ(call(e, effGetChunk, 0, 0, &chunk), 8);
}

TEST(Dispatcher, ExceptionsNeverLeaveThroughTheRecord) {
  class Thrower : public BaseEffect {
  public:
    VstInt32 getVendorVersion() override { throw std::runtime_error("inside"); }
    void processReplacing(float**, float**, VstInt32) override { throw std::runtime_error("x"); }
  } effect;
  AEffect* e = effect.getAeffect();
  EXPECT_EQ(call(e, effGetVendorVersion), 0);
  EXPECT_NO_THROW(e->processReplacing(e, nullptr, nullptr, 0));
}

TEST(EffectRecord, CloseThroughTheRecordDestroysTheObjectAndAnswersOne) {
  const int before = liveEffects;
  auto* effect = new BaseEffect;
  bool editorDestroyed = false;
  effect->setEditor(new RecordingEditor(effect, &editorDestroyed));
  AEffect* e = effect->getAeffect();
  EXPECT_EQ(liveEffects, before + 1);
  EXPECT_EQ(call(e, effClose), 1);
  EXPECT_EQ(liveEffects, before);
  EXPECT_TRUE(editorDestroyed);
}

TEST(EffectRecord, BaseConstructionFillsThePlaceholderIdentity) {
  BaseEffect effect;
  const AEffect* e = effect.getAeffect();
  EXPECT_EQ(e->magic, kEffectMagic);
  EXPECT_EQ(e->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
  EXPECT_EQ(e->numInputs, 1);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, 0);
  EXPECT_EQ(e->object, &effect);
  EXPECT_FLOAT_EQ(e->ioRatio, 1.0f);
  // The host's parameter entries exist but touch nothing.
  EXPECT_EQ(e->getParameter(const_cast<AEffect*>(e), 0), 0.0f);
  e->setParameter(const_cast<AEffect*>(e), 0, 0.5f);
}

TEST(EffectRecord, SettersChangeOnlyTheirField) {
  BaseEffect effect;
  const AEffect* e = effect.getAeffect();
  effect.hasClip(true);
  effect.noTail(true);
  effect.wantAsyncOperation(true);
  effect.hasExternalBuffer(true);
  effect.hasVu(true);
  EXPECT_EQ(e->flags, effFlagsHasClip | effFlagsNoSoundInStop | effFlagsExtIsAsync |
                          effFlagsExtHasBuffer | effFlagsHasVu);
  effect.hasVu(false);
  effect.hasClip(false);
  EXPECT_EQ(e->flags, effFlagsNoSoundInStop | effFlagsExtIsAsync | effFlagsExtHasBuffer);
  effect.setInitialDelay(5);
  effect.setRealtimeQualities(6);
  effect.setOfflineQualities(7);
  EXPECT_EQ(e->initialDelay, 5);
  EXPECT_EQ(e->realQualities, 6);
  EXPECT_EQ(e->offQualities, 7);
}
