// The command line both standalone programs share; each platform's main
// names the options of its own, which are handed back to it in order.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct StandaloneOptions {
  std::string plugin;     // empty: the plug-in library beside the program
  std::string chunkFile;  // empty: the demo patterns, saved nowhere
  double tempo = 120.0;   // when the program leads the transport
  bool play = false;      // start the transport at once
  bool editor = true;
  bool help = false;
  // The platform's own options with their values ("" for flags).
  std::vector<std::pair<std::string, std::string>> platform;
};

struct PlatformOptionNames {
  std::vector<std::string> withValue;
  std::vector<std::string> flags;
};

// False with a message on bad input.
bool parseStandaloneOptions(int argc, char** argv, const PlatformOptionNames& platformNames,
                            StandaloneOptions& options, std::string& error);

// The start of each program's main: parses the command line, and answers
// the exit status when the program ends there (2 after the error and the
// usage on stderr, 0 after the usage on stdout for --help).
std::optional<int> readCommandLine(int argc, char** argv, const PlatformOptionNames& platformNames,
                                   StandaloneOptions& options, void (*usage)(std::FILE*));

// The shared options, one a line, for the platform's usage text.
const char* standaloneOptionsHelp();
