#include "host/standalone/StartingPatterns.h"

#include <cstdio>

void loadStartingPatterns(StandaloneHost& plugin, PatternStore& store) {
  std::string note;
  std::vector<std::uint8_t> chunk = store.load(note);
  if (!plugin.loadChunk(chunk)) {
    chunk = store.refused(note);
    plugin.loadChunk(chunk);
  }
  std::printf("%s\n", note.c_str());
}
