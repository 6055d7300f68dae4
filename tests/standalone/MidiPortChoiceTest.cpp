// --out finds the MIDI output a user means by number, whole name or a part
// of a name, and says why when it cannot.
#include <gtest/gtest.h>

#include "host/standalone/MidiPortChoice.h"

namespace {

const std::vector<std::string> kPorts = {"Microsoft GS Wavetable Synth", "UM-ONE", "loopMIDI Port",
                                         "loopMIDI Port 2"};

}  // namespace

// Numbers, names and unique parts of names each pick one port.
TEST(MidiPortChoice, NumbersNamesAndUniquePartsPickAPort) {
  struct Case {
    const char* wanted;
    std::size_t port;
  };
  for (const Case& c : {Case{"0", 0}, Case{"3", 3}, Case{"UM-ONE", 1}, Case{"um-one", 1}, Case{"wavetable", 0},
                        Case{"loopMIDI Port", 2}, Case{"port 2", 3}}) {
    SCOPED_TRACE(c.wanted);
    std::string error;
    const auto chosen = chooseMidiPort(kPorts, c.wanted, error);
    ASSERT_TRUE(chosen.has_value()) << error;
    EXPECT_EQ(*chosen, c.port);
  }
}

// A number past the list, an unknown name, a part that fits two ports or a
// system without outputs is refused with the reason.
TEST(MidiPortChoice, WhatFitsNoSinglePortIsRefusedWithTheReason) {
  struct Case {
    std::vector<std::string> ports;
    const char* wanted;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {kPorts, "4", "numbered 0 to 3"},
      {kPorts, "99999999999", "no MIDI output is named"},
      {kPorts, "Yamaha", "no MIDI output is named like \"Yamaha\""},
      {kPorts, "loop", "more than one MIDI output"},
      {{}, "0", "no MIDI output"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wanted);
    std::string error;
    EXPECT_FALSE(chooseMidiPort(c.ports, c.wanted, error).has_value());
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}
