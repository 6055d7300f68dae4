// quaverlin-host play: loads the plug-in, gives it a pattern through the
// chunk, plays some bars and reports what the host received.
#pragma once

#include <string>

struct PlayOptions {
  std::string plugin;
  double tempo = 120.0;
  int bars = 4;
  double sampleRate = 44100.0;
  int blockSize = 512;
  std::string chunkFile;  // empty: the built-in demo pattern
  std::string output = "quaverlin-play.mid";
};

// Reads "--tempo 140 --bars 8 ... PLUGIN"; false with a message on bad input.
bool parsePlayOptions(int argc, char** argv, PlayOptions& options, std::string& error);

int play(const PlayOptions& options);
