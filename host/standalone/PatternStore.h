// The file behind --chunk: where the patterns come from at the start and go
// to when the user saves. A file that exists but cannot be read is never
// overwritten unless the user saves on purpose (Ctrl+S).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PatternStore {
public:
  // No path: the demo patterns, saved nowhere.
  explicit PatternStore(std::string path);

  // The patterns to start from: the file's, or the demo patterns when there
  // is no file or it cannot be read. `note` tells the user which, and why.
  std::vector<std::uint8_t> load(std::string& note);
  // The plug-in would not take what load() gave: as an unreadable file.
  std::vector<std::uint8_t> refused(std::string& note);

  // Writes the patterns; "" or what went wrong.
  std::string save(const std::vector<std::uint8_t>& chunk);
  // Whether leaving the program saves: a file is named and was read, was
  // missing (it is made), or has been saved since.
  bool savesOnExit() const { return !path_.empty() && !keepFile_; }
  const std::string& path() const { return path_; }

private:
  std::string path_;
  bool keepFile_ = false;
};
