#include "tests/engine/SongHost.h"

#include <algorithm>
#include <cstdio>

std::vector<VstMidiEvent> SongHost::play(VstInt32 frames, float** outputs) {
  host.time = playingAt(transport.ppqPos(), transport.tempo, transport.sampleRate);
  host.time.samplePos = static_cast<double>(transport.samplePos);
  if (!playing) host.time.flags &= ~kVstTransportPlaying;
  host.lists.clear();
  if (outputs)
    host.plugin().processReplacing(nullptr, outputs, frames);
  else
    host.play(frames);
  if (playing) transport.samplePos += frames;
  listsInLastBlock = static_cast<int>(host.lists.size());
  std::vector<VstMidiEvent> events;
  for (const SentList& list : host.lists) events.insert(events.end(), list.events.begin(), list.events.end());
  return events;
}

void SongHost::playTo(std::int64_t songFrame, VstInt32 frames) {
  while (transport.samplePos < songFrame)
    play(static_cast<VstInt32>(std::min<std::int64_t>(frames, songFrame - transport.samplePos)));
}

std::string show(const std::vector<VstMidiEvent>& events) {
  std::string text;
  for (const VstMidiEvent& e : events) {
    char item[48];
    std::snprintf(item, sizeof item, "%s%02X %02X %02X @%d", text.empty() ? "" : ", ", e.midiData[0],
                  e.midiData[1], e.midiData[2], e.deltaFrames);
    text += item;
  }
  return text;
}
