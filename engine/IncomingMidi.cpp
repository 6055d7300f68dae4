// Incoming MIDI: note-ons on keys 48 to 71 recall stored patterns 0 to 23.
// Nothing received is passed on or played.
#include "engine/APlugin.h"

namespace {
constexpr int kFirstTriggerKey = 48;
constexpr int kBypassController = 126;
}  // namespace

// The host's real-time entry, on the audio thread or another: it only reads
// the bypass flag and posts the recall, both atomics.
VstInt32 APlugin::processEvents(VstEvents* events) {
  if (!events || channel_->triggerBypass.load(std::memory_order_relaxed)) return 1;
  // The list is as long as numEvents says, whatever its declared two
  // entries: walk it through a pointer.
  VstEvent* const* list = events->events;
  bool editorShouldUpdate = false;
  // Each recall replaces what the one before it did, so only the last
  // recall of the list needs posting.
  int recall = -1;
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = list[i];
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
  if (recall >= 0) channel_->postMidiRecall(recall);
  if (editorShouldUpdate && editor) editor->update();
  return 1;
}
