// What the plug-in tells the host about itself: names, capabilities, pins,
// programs and its (empty) parameter set.
#include <cstdio>
#include <cstring>

#include "engine/APlugin.h"

namespace {

const char* const kCapabilities[] = {"receiveVstEvents", "receiveVstMidiEvent",
                                     "receiveVstTimeInfo", "sendVstEvents", "sendVstMidiEvent"};

// Host buffers for program names hold 24 characters, the zero included.
void copyProgramName(char* destination, const char* name) {
  std::snprintf(destination, kVstMaxProgNameLen, "%s", name);
}

}  // namespace

bool APlugin::getEffectName(char* name) {
  std::strcpy(name, "Quaverlin");
  return true;
}

bool APlugin::getVendorString(char* text) {
  std::strcpy(text, "Tarnwick");
  return true;
}

bool APlugin::getProductString(char* text) {
  std::strcpy(text, "Quaverlin");
  return true;
}

VstInt32 APlugin::getVendorVersion() { return 1; }

VstInt32 APlugin::canDo(char* text) {
  for (const char* capability : kCapabilities)
    if (std::strcmp(text, capability) == 0) return 1;
  return -1;
}

bool APlugin::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
  if (index >= 2) return false;
  std::snprintf(properties->label, sizeof properties->label, "Quaverlin %d", index + 1);
  properties->flags = kVstPinIsActive | kVstPinIsStereo;
  return true;
}

// A host that switches the plug-in off plays no more blocks: nothing plays.
void APlugin::suspend() { playingStep_.publish(PlayingStep::kNone); }
void APlugin::resume() { wantEvents(1); }

void APlugin::setProgram(VstInt32 program) {
  if (program < 0 || program >= kNumPrograms) return;
  curProgram = program;
  updateEditor();
}

void APlugin::setProgramName(char* name) {
  programs_[curProgram.load()].setName(name);
  updateEditor();
}

void APlugin::getProgramName(char* name) { copyProgramName(name, programs_[curProgram.load()].name()); }

bool APlugin::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  if (index < 0 || index >= kNumPrograms) return false;
  copyProgramName(text, programs_[index].name());
  return true;
}

void APlugin::getParameterLabel(VstInt32, char* label) { std::strcpy(label, "%"); }
void APlugin::getParameterDisplay(VstInt32, char*) {}

void APlugin::getParameterName(VstInt32 index, char* text) {
  char name[16];
  std::snprintf(name, sizeof name, "par%d", index < -1 ? index : -1);
  // The host reserves 8 characters here, the zero included.
  std::snprintf(text, kVstMaxParamStrLen, "%.7s", name);
}

float APlugin::getVu() { return 0.0f; }
