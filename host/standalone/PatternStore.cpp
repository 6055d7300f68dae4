#include "host/standalone/PatternStore.h"

#include <filesystem>
#include <system_error>

#include "host/DemoPattern.h"
#include "host/standalone/PatternFile.h"

PatternStore::PatternStore(std::string path) : path_(std::move(path)) {}

std::vector<std::uint8_t> PatternStore::load(std::string& note) {
  if (path_.empty()) {
    note = "playing the demo patterns (--chunk FILE keeps your own)";
    return demoPattern().bytes();
  }
  std::error_code ignored;
  if (!std::filesystem::exists(path_, ignored)) {
    note = path_ + " does not exist yet: starting from the demo patterns, saved there on exit";
    return demoPattern().bytes();
  }
  PatternFileRead read = ReadPatternFile(path_);
  if (!read.error.empty()) {
    keepFile_ = true;
    note = read.error + ": starting from the demo patterns; " + path_ +
           " is left as it is unless you save (Ctrl+S)";
    return demoPattern().bytes();
  }
  note = "patterns from " + path_;
  return std::move(read.chunk);
}

std::vector<std::uint8_t> PatternStore::refused(std::string& note) {
  keepFile_ = !path_.empty();
  note = "the plug-in refused the patterns of " + path_ +
         ": starting from the demo patterns; the file is left as it is unless you save (Ctrl+S)";
  return demoPattern().bytes();
}

std::string PatternStore::save(const std::vector<std::uint8_t>& chunk) {
  if (path_.empty()) return "no pattern file was named (--chunk FILE)";
  if (chunk.empty()) return "the plug-in gave no patterns to save";
  std::string error = WritePatternFile(path_, chunk);
  if (error.empty()) keepFile_ = false;
  return error;
}
