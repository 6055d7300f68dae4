// Pattern files: the plug-in's chunk as it is, or wrapped in a VST 2
// program file (.fxp) as hosts exchange them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PatternFileRead {
  std::vector<std::uint8_t> chunk;
  std::string error;  // empty on success
};

// A .fxp by its extension, anything else the raw 121160-byte chunk.
PatternFileRead ReadPatternFile(const std::string& path);
// "" or what went wrong.
std::string WritePatternFile(const std::string& path, const std::vector<std::uint8_t>& chunk);
