// The built plug-in as a host meets it: loaded from its file, reached only
// through the exported entry point and the effect record.
#include <gtest/gtest.h>

#include <cstring>

#include "host/VstHost.h"

namespace {

const char* const kPlugin = QUAVERLIN_PLUGIN_PATH;

VstIntPtr silentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

}  // namespace

TEST(PluginEntry, AHostThatAnswersVersionZeroGetsNoEffect) {
  PluginLibrary library(kPlugin);
  EXPECT_EQ(library.entry()(&silentHost), nullptr);
  EXPECT_EQ(library.entry()(nullptr), nullptr);
}

TEST(PluginEntry, TheRecordCarriesTheSequencersIdentity) {
  VstHost host(kPlugin);
  const AEffect* e = host.effect();
  EXPECT_EQ(e->magic, fourCharCode('V', 's', 't', 'P'));
  EXPECT_EQ(e->numPrograms, 16);
  EXPECT_EQ(e->numParams, 0);
  EXPECT_EQ(e->numInputs, 0);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, 313);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->realQualities, 0);
  EXPECT_EQ(e->offQualities, 0);
  EXPECT_FLOAT_EQ(e->ioRatio, 1.0f);
  EXPECT_NE(e->object, nullptr);
  EXPECT_EQ(e->user, nullptr);
  EXPECT_EQ(e->uniqueID, fourCharCode('Q', 'V', 'L', 'N'));
  EXPECT_EQ(e->version, 1);
  // Everything from `future` to the end of the record is zero.
  const auto* bytes = reinterpret_cast<const unsigned char*>(e);
  for (std::size_t i = offsetof(AEffect, future); i < sizeof(AEffect); ++i)
    EXPECT_EQ(bytes[i], 0) << "byte " << i;
  EXPECT_NE(e->dispatcher, nullptr);
  EXPECT_NE(e->process, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
}

TEST(PluginEntry, EachCallMakesAnIndependentInstance) {
  VstHost first(kPlugin);
  VstHost second(kPlugin);
  EXPECT_NE(first.effect(), second.effect());
  EXPECT_NE(first.effect()->object, second.effect()->object);
}

TEST(PluginDispatcher, AnswersTheBaseTableThroughTheRecord) {
  VstHost host(kPlugin);
  EXPECT_EQ(host.dispatch(effIdentify), fourCharCode('N', 'v', 'E', 'f'));
  EXPECT_EQ(host.dispatch(effGetVstVersion), 2200);
  EXPECT_EQ(host.dispatch(effGetPlugCategory), 2);
  EXPECT_EQ(host.dispatch(effGetNumProgramCategories), 1);
  EXPECT_EQ(host.dispatch(effKeysRequired), 1);
  EXPECT_EQ(host.dispatch(effCanBeAutomated, 12345), 1);
  EXPECT_EQ(host.dispatch(effEditKeyDown, 'x', 0), -1);
  EXPECT_EQ(host.dispatch(effEditKeyUp, 'x', 0), -1);
  char buffer[64] = {};
  EXPECT_EQ(host.dispatch(effGetCurrentMidiProgram, 0, 0, buffer), -1);
  for (VstInt32 opcode : {69, 100, -1, -1000}) EXPECT_EQ(host.dispatch(opcode, 3, 3, buffer), 0);
}

TEST(PluginDispatcher, SurvivesEveryOpcodeWithANullPointer) {
  VstHost host(kPlugin);
  for (VstInt32 opcode = -2; opcode <= 75; ++opcode) {
    if (opcode == effClose || opcode == effEditOpen) continue;
    host.dispatch(opcode, 0, 121160, nullptr, 0.0f);
  }
  EXPECT_EQ(host.dispatch(effGetChunk, 0, 0, nullptr), 0);
  EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
}

TEST(PluginDispatcher, PlaysBlocksAndClosesCleanly) {
  VstHost host(kPlugin);
  host.start(44100.0, 512);
  for (int i = 0; i < 8; ++i) host.processBlock(512);
  host.transport.playing = false;
  host.processBlock(512);
  host.processBlock(0);
  EXPECT_EQ(host.blocksProcessed(), 10);
  host.close();
  EXPECT_EQ(host.effect(), nullptr);
}
