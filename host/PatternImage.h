// The plug-in's chunk as a host can build it from the published layout: 26
// pattern slots of 4660 bytes (stored patterns 0 to 23, the current pattern,
// the queued one), 12 rows of 388 bytes each, 32 steps of 12 bytes per row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PatternImage {
public:
  static constexpr std::size_t kPatternSize = 4660;
  static constexpr std::size_t kRowSize = 388;
  static constexpr std::size_t kStepSize = 12;
  static constexpr std::size_t kSize = 26 * kPatternSize;
  static constexpr int kCurrent = 24;
  static constexpr int kQueued = 25;

  // What a new instance holds.
  PatternImage();
  explicit PatternImage(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  // A set cell (state 0x90) with its mode, velocity and shift.
  void setCell(int slot, int row, int step, std::uint8_t velocity = 127, std::uint8_t mode = 1,
               std::int16_t shift = 0);
  void setRow(int slot, int row, std::uint8_t note, std::uint8_t channel);

  std::uint8_t& rowByte(int slot, int row, std::size_t field);  // note 0, channel 1, ...
  std::uint8_t& stepByte(int slot, int row, int step, std::size_t field);  // mode 0, state 1, ...
  std::uint8_t& patternByte(int slot, std::size_t field);  // reserved 0, used 1, ...
  std::int16_t shift(int slot, int row, int step) const;
  std::int32_t onset(int slot, int row, int step) const;

  std::vector<unsigned char>& bytes() { return bytes_; }

private:
  std::size_t stepOffset(int slot, int row, int step) const {
    return slot * kPatternSize + row * kRowSize + 4 + step * kStepSize;
  }
  std::vector<unsigned char> bytes_;
};
