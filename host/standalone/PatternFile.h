// Pattern files of the standalone program: the plug-in's 121160-byte chunk
// as it is, or inside a VST 2 program file (.fxp) that a DAW can load.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PatternFileRead {
  std::vector<std::uint8_t> chunk;
  std::string error;  // empty on success; otherwise a message for the user, naming the file
};

// A path ending in .fxp (any case) is read as a program file, any other as a
// raw chunk.
PatternFileRead ReadPatternFile(const std::string& path);

// Writes the chunk in the form the path's extension asks for; answers "" or
// the error. The file is replaced only once the new one is complete.
std::string WritePatternFile(const std::string& path, const std::vector<std::uint8_t>& chunk);
