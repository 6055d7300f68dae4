// quaverlin-host play: loads the plug-in, gives it a pattern through the
// chunk, plays some bars and reports what the host received.
#pragma once

#include <string>
#include <vector>

// Song positions are in bars of 4/4 counted from 1, fractions allowed:
// bar 2.5 is the middle of the second bar.
struct BarRange {
  double from;
  double to;
};

struct PlayOptions {
  std::string plugin;
  double tempo = 120.0;
  int bars = 4;  // how long the host plays, loops and locates included
  double sampleRate = 44100.0;
  int blockSize = 512;
  std::string chunkFile;  // empty: the built-in demo pattern
  std::string output = "quaverlin-play.mid";
  bool loop = false;
  BarRange loopBars{1, 1};         // play from `from` to `to`, then from `from` again
  std::vector<BarRange> locates;   // on reaching `from`, jump to `to` (at the next block)
};

// Reads "--tempo 140 --bars 8 ... PLUGIN"; false with a message on bad input.
bool parsePlayOptions(int argc, char** argv, PlayOptions& options, std::string& error);

int play(const PlayOptions& options);
