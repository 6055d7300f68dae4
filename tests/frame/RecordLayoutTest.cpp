// The records are a binary contract with hosts: these pin down what the
// compile-time layout checks cannot, such as constants and packing.
#include <gtest/gtest.h>

#include "frame/DAEffectX.h"

TEST(FourCharCode, PacksTheFirstCharacterIntoTheMostSignificantByte) {
  EXPECT_EQ(fourCharCode('V', 's', 't', 'P'), 0x56737450);
  EXPECT_EQ(fourCharCode('Q', 'V', 'L', 'N'), 0x51564C4E);
  EXPECT_EQ(fourCharCode('N', 'v', 'E', 'f'), 0x4E764566);
}

TEST(Opcodes, HaveTheirProtocolNumbers) {
  EXPECT_EQ(effSetChunk, 24);
  EXPECT_EQ(effProcessEvents, 25);
  EXPECT_EQ(effGetPlugCategory, 35);
  EXPECT_EQ(effSetBlockSizeAndSampleRate, 43);
  EXPECT_EQ(effCanDo, 51);
  EXPECT_EQ(effKeysRequired, 57);
  EXPECT_EQ(effGetVstVersion, 58);
  EXPECT_EQ(effEndSetProgram, 68);
  EXPECT_EQ(audioMasterProcessEvents, 8);
  EXPECT_EQ(audioMasterTempoAt, 10);
  EXPECT_EQ(audioMasterGetVendorString, 32);
  EXPECT_EQ(audioMasterCanDo, 37);
  EXPECT_EQ(audioMasterOpenFileSelector, 45);
}

TEST(Records, HaveTheSizesHostsExchange) {
  EXPECT_EQ(sizeof(AEffect), sizeof(void*) == 4 ? 144u : 192u);
  EXPECT_EQ(sizeof(VstTimeInfo), 88u);
  EXPECT_EQ(sizeof(VstMidiEvent), 32u);
  EXPECT_EQ(sizeof(VstPinProperties), 128u);
  EXPECT_EQ(sizeof(ERect), 8u);
  EXPECT_EQ(offsetof(VstEvents, events), sizeof(void*) == 4 ? 8u : 16u);
}
