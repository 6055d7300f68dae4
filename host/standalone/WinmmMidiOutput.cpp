#include "host/standalone/WinmmMidiOutput.h"

#include <windows.h>

#include <mmsystem.h>

#include "host/PluginLibrary.h"

std::vector<std::string> winmmOutputNames() {
  std::vector<std::string> names;
  const UINT count = midiOutGetNumDevs();
  for (UINT device = 0; device < count; ++device) {
    MIDIOUTCAPSA caps{};
    if (midiOutGetDevCapsA(device, &caps, sizeof caps) == MMSYSERR_NOERROR)
      names.emplace_back(caps.szPname);
    else
      names.emplace_back("(unavailable)");
  }
  return names;
}

WinmmMidiOutput::WinmmMidiOutput(unsigned device) {
  HMIDIOUT handle = nullptr;
  const MMRESULT result = midiOutOpen(&handle, device, 0, 0, CALLBACK_NULL);
  if (result != MMSYSERR_NOERROR) {
    char reason[MAXERRORLENGTH] = {};
    midiOutGetErrorTextA(result, reason, sizeof reason);
    throw HostError("cannot open MIDI output " + std::to_string(device) + ": " + reason);
  }
  handle_ = handle;
}

WinmmMidiOutput::~WinmmMidiOutput() { midiOutClose(static_cast<HMIDIOUT>(handle_)); }

void WinmmMidiOutput::send(const VstMidiEvent& event) {
  // A short message packs status, first and second data byte from the low byte up.
  const auto byte = [&](int i) { return static_cast<DWORD>(event.midiData[i]); };
  midiOutShortMsg(static_cast<HMIDIOUT>(handle_), byte(0) | byte(1) << 8 | byte(2) << 16);
}
