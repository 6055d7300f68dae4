#include "skin/Transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Surface TransformSurface(const Surface& src, int angle, double scaleX, double scaleY) {
  const double a = angle * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const double w = src.Width() * scaleX / 100.0, h = src.Height() * scaleY / 100.0;
  const int outW = static_cast<int>(std::lround(std::abs(w * c) + std::abs(h * s)));
  const int outH = static_cast<int>(std::lround(std::abs(w * s) + std::abs(h * c)));
  Surface out(outW, outH, 0);
  if (w <= 0 || h <= 0) return out;
  // Map each destination pixel centre back into the source.
  for (int y = 0; y < outH; ++y) {
    for (int x = 0; x < outW; ++x) {
      const double dx = x + 0.5 - outW / 2.0, dy = y + 0.5 - outH / 2.0;
      const double ux = dx * c - dy * s, uy = dx * s + dy * c;
      const int sx = static_cast<int>(std::floor((ux + w / 2.0) * 100.0 / scaleX));
      const int sy = static_cast<int>(std::floor((uy + h / 2.0) * 100.0 / scaleY));
      if (sx >= 0 && sy >= 0 && sx < src.Width() && sy < src.Height())
        out.Set(x, y, src.At(sx, sy) | 0xFF000000u);
    }
  }
  return out;
}
