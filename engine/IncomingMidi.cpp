// Incoming MIDI: note-ons on keys 48 to 71 recall stored patterns 0 to 23.
// Nothing received is passed on or played.
#include "engine/APlugin.h"

namespace {
constexpr int kFirstTriggerKey = 48;
constexpr int kBypassController = 126;
}  // namespace

VstInt32 APlugin::processEvents(VstEvents* events) {
  bool editorShouldUpdate = false;
  {
    // The host's real-time entry: it may run on the audio thread.
    RealtimeSection section(memory_.lock);
    if (memory_.current().triggerBypass) return 1;
    // Each recall replaces what the one before it did, so only the last
    // recall of the list needs doing.
    int recall = -1;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
      const VstEvent* event = events->events[i];
      if (!event || event->type != kVstMidiType) continue;
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      const int status = midi->midiData[0] & 0xF0;
      const int key = midi->midiData[1] & 0x7F;
      const int velocity = midi->midiData[2];
      if (status == 0x90 && velocity > 0 && key >= kFirstTriggerKey &&
          key < kFirstTriggerKey + kStoredPatterns)
        recall = key - kFirstTriggerKey;
      else if ((status == 0xB0 && midi->midiData[1] != kBypassController) || status == 0xE0)
        editorShouldUpdate = true;
    }
    if (recall >= 0) memory_.recall(recall);
  }
  if (editorShouldUpdate && editor) editor->update();
  return 1;
}
