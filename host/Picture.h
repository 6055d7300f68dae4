// Pixels taken from a window: 0xAARRGGBB words, rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t rgb(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFFu;
  }
};
