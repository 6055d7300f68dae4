#include "tests/engine/HostFixture.h"

#include <cstdio>

std::string show(const std::vector<ReceivedEvent>& events) {
  std::string text;
  for (const ReceivedEvent& e : events) {
    char item[48];
    std::snprintf(item, sizeof item, "%s%02X %02X %02X @%d", text.empty() ? "" : ", ",
                  e.midi.midiData[0], e.midi.midiData[1], e.midi.midiData[2], e.midi.deltaFrames);
    text += item;
  }
  return text;
}
