#include "host/PatternImage.h"

PatternImage::PatternImage() : bytes_(kSize, 0) {
  for (int slot = 0; slot < 26; ++slot) {
    for (int row = 0; row < 12; ++row) {
      rowByte(slot, row, 0) = static_cast<std::uint8_t>(59 - row);
      for (int step = 0; step < 32; ++step) {
        stepByte(slot, row, step, 0) = 1;
        stepByte(slot, row, step, 1) = 0x80;
        stepByte(slot, row, step, 2) = 0x80;
        stepByte(slot, row, step, 3) = 127;
      }
    }
    patternByte(slot, 2) = 127;
  }
}

void PatternImage::setCell(int slot, int row, int step, std::uint8_t velocity, std::uint8_t mode,
                           std::int16_t shift) {
  stepByte(slot, row, step, 0) = mode;
  stepByte(slot, row, step, 1) = 0x90;
  stepByte(slot, row, step, 3) = velocity;
  const auto value = static_cast<std::uint16_t>(shift);
  stepByte(slot, row, step, 4) = static_cast<std::uint8_t>(value & 0xFF);
  stepByte(slot, row, step, 5) = static_cast<std::uint8_t>(value >> 8);
}

void PatternImage::setRow(int slot, int row, std::uint8_t note, std::uint8_t channel) {
  rowByte(slot, row, 0) = note;
  rowByte(slot, row, 1) = channel;
}

std::uint8_t& PatternImage::rowByte(int slot, int row, std::size_t field) {
  return bytes_[slot * kPatternSize + row * kRowSize + field];
}

std::uint8_t& PatternImage::stepByte(int slot, int row, int step, std::size_t field) {
  return bytes_[stepOffset(slot, row, step) + field];
}

std::uint8_t& PatternImage::patternByte(int slot, std::size_t field) {
  return bytes_[slot * kPatternSize + 4656 + field];
}

std::int16_t PatternImage::shift(int slot, int row, int step) const {
  const std::size_t at = stepOffset(slot, row, step) + 4;
  return static_cast<std::int16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

std::int32_t PatternImage::onset(int slot, int row, int step) const {
  const std::size_t at = stepOffset(slot, row, step) + 8;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes_[at]) |
                                   static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
                                   static_cast<std::uint32_t>(bytes_[at + 2]) << 16 |
                                   static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
}
