// What a host learns about the plug-in through the dispatcher: names,
// capabilities, pins, programs, parameters and the processing switch.
#include <cstring>

#include "tests/engine/HostFixture.h"

using PluginIdentity = PluginInHost;

TEST_F(PluginIdentity, NamesVendorAndVersion) {
  EXPECT_EQ(host.text(effGetEffectName), "Quaverlin");
  EXPECT_EQ(host.text(effGetVendorString), "Tarnwick");
  EXPECT_EQ(host.text(effGetProductString), "Quaverlin");
  EXPECT_EQ(host.dispatch(effGetVendorVersion), 1);
}

TEST_F(PluginIdentity, CanDoAnswersOnlyTheExactCapabilities) {
  for (const char* yes : {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
                          "sendVstEvents", "sendVstMidiEvent"}) {
    char text[32];
    std::strcpy(text, yes);
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, text), 1) << yes;
  }
  for (const char* no : {"ReceiveVstMidiEvent", "receiveVstMidi", "", "sizeWindow"}) {
    char text[32];
    std::strcpy(text, no);
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, text), -1) << no;
  }
}

TEST_F(PluginIdentity, TwoActiveStereoOutputPins) {
  VstPinProperties pin{};
  EXPECT_EQ(host.dispatch(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Quaverlin 2");
  EXPECT_EQ(pin.flags, 3);
  VstPinProperties untouched{};
  EXPECT_EQ(host.dispatch(effGetOutputProperties, 2, 0, &untouched), 0);
  EXPECT_EQ(untouched.label[0], 0);
  EXPECT_EQ(host.dispatch(effGetInputProperties, 0, 0, &untouched), 0);
}

TEST_F(PluginIdentity, SixteenPresetsWithProgramZeroCurrent) {
  EXPECT_EQ(host.dispatch(effGetProgram), 0);
  EXPECT_EQ(host.text(effGetProgramNameIndexed, 0), "Preset 0");
  EXPECT_EQ(host.text(effGetProgramNameIndexed, 15), "Preset 15");
  char name[64] = "unchanged";
  EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 16, 0, name), 0);
  EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, -1, 0, name), 0);
  EXPECT_STREQ(name, "unchanged");
}

TEST_F(PluginIdentity, ChangingTheProgramChangesNoPattern) {
  PatternImage image;
  image.setCell(PatternImage::kCurrent, 3, 3);
  load(image);
  const auto before = chunk().bytes();
  host.dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(host.dispatch(effGetProgram), 5);
  host.dispatch(effSetProgram, 0, -1);  // reaches the plug-in, which ignores it
  host.dispatch(effSetProgram, 0, 16);
  EXPECT_EQ(host.dispatch(effGetProgram), 5);
  EXPECT_TRUE(chunk().bytes() == before);
}

TEST_F(PluginIdentity, RenamingTouchesOnlyTheCurrentProgramAndStaysInItsField) {
  host.dispatch(effSetProgram, 0, 3);
  char name[] = "Groove";
  host.dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(host.text(effGetProgramName), "Groove");
  EXPECT_EQ(host.text(effGetProgramNameIndexed, 3), "Groove");
  EXPECT_EQ(host.text(effGetProgramNameIndexed, 2), "Preset 2");
  // A long name is stored up to its 52-byte field and handed back in the
  // 24 bytes VST 2 gives a program name.
  std::string longName(200, 'x');
  host.dispatch(effSetProgramName, 0, 0, longName.data());
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  host.dispatch(effGetProgramName, 0, 0, buffer);
  EXPECT_EQ(std::strlen(buffer), 23u);
  EXPECT_EQ(buffer[24], '#');
  std::memset(buffer, '#', sizeof buffer);
  host.dispatch(effGetProgramNameIndexed, 3, 0, buffer);
  EXPECT_EQ(std::strlen(buffer), 23u);
}

TEST_F(PluginIdentity, NoParametersAndNoMeter) {
  EXPECT_EQ(host.text(effGetParamName, 0), "par-1");
  EXPECT_EQ(host.text(effGetParamName, 12345), "par-1");
  EXPECT_EQ(host.text(effGetParamName, -100000), "par-100");  // cut to the 8 bytes VST 2 gives
  EXPECT_EQ(host.text(effGetParamLabel, 0), "%");
  EXPECT_EQ(host.text(effGetParamDisplay, 0), "");
  EXPECT_EQ(host.dispatch(effGetVu), 0);
}

TEST_F(PluginIdentity, SwitchingProcessingOnAsksTheHostForMidi) {
  host.calls.clear();
  host.dispatch(effMainsChanged, 0, 0);
  EXPECT_TRUE(host.calls.empty());
  host.dispatch(effMainsChanged, 0, 1);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
  EXPECT_EQ(host.calls[0].value, 1);
}
