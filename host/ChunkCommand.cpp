#include "host/ChunkCommand.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "host/DemoPattern.h"
#include "host/PatternComparison.h"

namespace {

PatternImage readImage(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(in), {});
  if (bytes.size() != PatternImage::kSize)
    throw std::runtime_error(std::string(path) + " holds " + std::to_string(bytes.size()) + " bytes, not " +
                             std::to_string(PatternImage::kSize));
  return PatternImage(std::move(bytes));
}

int writeDemo(bool swung, const char* path) {
  PatternImage image = demoPattern(swung);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(image.bytes().data()),
            static_cast<std::streamsize>(image.bytes().size()));
  if (!out) throw std::runtime_error(std::string("cannot write ") + path);
  return 0;
}

int compareFiles(const char* firstPath, const char* secondPath) {
  PatternImage first = readImage(firstPath);
  PatternImage second = readImage(secondPath);
  const std::vector<std::string> differences = patternDifferences(first, second);
  constexpr std::size_t kShown = 20;
  for (std::size_t i = 0; i < differences.size() && i < kShown; ++i) std::printf("%s\n", differences[i].c_str());
  if (differences.size() > kShown) std::printf("... %zu differences in all\n", differences.size());
  if (differences.empty()) std::printf("the patterns of %s and %s are the same\n", firstPath, secondPath);
  return differences.empty() ? 0 : 1;
}

}  // namespace

int chunkCommand(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[0], "demo") == 0) return writeDemo(true, argv[1]);
  if (argc == 3 && std::strcmp(argv[0], "demo") == 0 && std::strcmp(argv[1], "--straight") == 0)
    return writeDemo(false, argv[2]);
  if (argc == 3 && std::strcmp(argv[0], "compare") == 0) return compareFiles(argv[1], argv[2]);
  return 2;
}
