#include "host/standalone/PatternFile.h"

#include <fstream>
#include <iterator>

#include "host/PatternImage.h"

PatternFileRead ReadPatternFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {{}, "cannot open " + path};
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.size() != PatternImage::kSize)
    return {{}, path + " holds " + std::to_string(bytes.size()) + " bytes, not the " +
                    std::to_string(PatternImage::kSize) + " of a pattern chunk"};
  return {std::move(bytes), {}};
}

std::string WritePatternFile(const std::string& path, const std::vector<std::uint8_t>& chunk) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
  out.close();
  return out ? "" : "cannot write " + path;
}
