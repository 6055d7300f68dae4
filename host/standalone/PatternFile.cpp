#include "host/standalone/PatternFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

#include "host/PatternImage.h"
#include "host/standalone/FxpProgram.h"

namespace {

// The name a DAW shows for a program loaded from one of our files.
const char* const kProgramName = "Quaverlin";

// Compared as bytes: a name in any encoding can end in ".fxp".
bool isProgramFile(const std::string& path) {
  constexpr std::size_t kLength = 4;
  if (path.size() <= kLength) return false;
  std::string extension = path.substr(path.size() - kLength);
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return extension == ".fxp";
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads the whole file; answers "" or why it could not.
std::string readBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::string("cannot open it: ") + std::strerror(errno);
  std::uint8_t buffer[16384];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  if (std::ferror(file.get())) return std::string("cannot read it: ") + std::strerror(errno);
  return "";
}

// Creates the file and writes all of it; a file it cannot complete is removed.
std::string writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return std::string("cannot create it: ") + std::strerror(errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const bool closed = std::fclose(file.release()) == 0;
  if (written && closed) return "";
  const std::string problem = std::string("cannot write it: ") + std::strerror(errno);
  std::remove(path.c_str());
  return problem;
}

// Puts `from` in the place of `to` in one step; the paths are read as
// fopen reads them. Answers "" or why not.
std::string replaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return "";
  return "cannot replace it (Windows error " + std::to_string(GetLastError()) + ")";
#else
  if (std::rename(from.c_str(), to.c_str()) == 0) return "";
  return std::string("cannot replace it: ") + std::strerror(errno);
#endif
}

std::string sizeError(std::size_t size) {
  return "holds " + std::to_string(size) + " bytes, not the " + std::to_string(PatternImage::kSize) +
         " of Quaverlin's patterns";
}

}  // namespace

PatternFileRead ReadPatternFile(const std::string& path) {
  PatternFileRead result;
  std::vector<std::uint8_t> bytes;
  std::string problem = readBytes(path, bytes);
  if (problem.empty()) {
    if (isProgramFile(path))
      problem = fxp::decode(bytes, result.chunk);
    else if (bytes.size() == PatternImage::kSize)
      result.chunk = std::move(bytes);
    else
      problem = sizeError(bytes.size());
  }
  if (!problem.empty()) result.error = path + ": " + problem;
  return result;
}

std::string WritePatternFile(const std::string& path, const std::vector<std::uint8_t>& chunk) {
  if (chunk.size() != PatternImage::kSize) return path + ": not saved, the patterns " + sizeError(chunk.size());
  // Written beside the old file and then renamed over it, so a write that
  // fails half-way leaves the old file as it was.
  const std::string partial = path + ".saving";
  std::string problem = writeBytes(partial, isProgramFile(path) ? fxp::encode(chunk, kProgramName) : chunk);
  if (!problem.empty()) return path + ": " + problem;
  problem = replaceFile(partial, path);
  if (problem.empty()) return "";
  std::remove(partial.c_str());
  return path + ": " + problem;
}
