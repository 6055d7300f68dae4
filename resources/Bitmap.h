// An image as the editor's surfaces hold it: rows from the top, each pixel
// 0xAARRGGBB (blue, green, red, alpha in memory on our little-endian targets).
#pragma once

#include <cstdint>
#include <vector>

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> bgra;

  bool empty() const { return bgra.empty(); }
  std::uint32_t at(int x, int y) const {
    return bgra[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)];
  }
};
