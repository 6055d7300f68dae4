// The Windows MIDI outputs (winmm): the list --list prints, and one output
// opened for the program's MIDI.
#pragma once

#include <string>
#include <vector>

#include "host/standalone/MidiOutput.h"

// The outputs' names, numbered as Windows numbers its devices.
std::vector<std::string> winmmOutputNames();

class WinmmMidiOutput final : public MidiOutput {
public:
  // Opens output `device`; throws HostError with Windows' reason when it cannot.
  explicit WinmmMidiOutput(unsigned device);
  ~WinmmMidiOutput() override;
  WinmmMidiOutput(const WinmmMidiOutput&) = delete;
  WinmmMidiOutput& operator=(const WinmmMidiOutput&) = delete;

  void send(const VstMidiEvent& event) override;

private:
  void* handle_ = nullptr;  // HMIDIOUT
};
