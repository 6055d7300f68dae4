#include "resources/Ppm.h"

#include <cctype>
#include <cstddef>

namespace {

// Reads the decimal number after the whitespace at pos; -1 when there is none
// or it grows past what an image side can be.
int readNumber(std::span<const std::uint8_t> data, std::size_t& pos) {
  while (pos < data.size() && std::isspace(data[pos])) ++pos;
  int value = -1;
  while (pos < data.size() && std::isdigit(data[pos]) && value < 65536)
    value = (value < 0 ? 0 : value * 10) + (data[pos++] - '0');
  return value < 65536 ? value : -1;
}

}  // namespace

Bitmap decodePpm(std::span<const std::uint8_t> data) {
  if (data.size() < 2 || data[0] != 'P' || data[1] != '6') return {};
  std::size_t pos = 2;
  int width = readNumber(data, pos);
  int height = readNumber(data, pos);
  int maxValue = readNumber(data, pos);
  if (width <= 0 || height <= 0 || maxValue != 255) return {};
  if (pos >= data.size() || !std::isspace(data[pos])) return {};
  ++pos;  // exactly one whitespace byte separates the header from the samples
  std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (data.size() - pos < 3 * count) return {};

  Bitmap image{width, height, std::vector<std::uint32_t>(count)};
  for (std::uint32_t& pixel : image.bgra) {
    pixel = 0xFF000000u | std::uint32_t{data[pos]} << 16 | std::uint32_t{data[pos + 1]} << 8 |
            data[pos + 2];
    pos += 3;
  }
  return image;
}
