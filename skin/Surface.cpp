#include "skin/Surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

Surface::Surface(int width, int height, Pixel fill) { Resize(width, height, fill); }

Surface::Surface(int width, int height, std::vector<Pixel> pixels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return;
  width_ = width;
  height_ = height;
  pixels_ = std::move(pixels);
}

void Surface::Resize(int width, int height, Pixel fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
  // A surface that got smaller gives its memory back.
  pixels_.shrink_to_fit();
}

void Surface::Fill(const TRect& r, Pixel p) {
  TRect c = r.Intersect(Bounds());
  for (int y = c.Top; y < c.Bottom; ++y) std::fill(Row(y) + c.Left, Row(y) + c.Right, p);
}

void Surface::CopyFrom(const Surface& src, const TRect& srcRect, int dx, int dy) {
  TRect s = srcRect.Intersect(src.Bounds());
  TRect d = s.Offset(dx - srcRect.Left, dy - srcRect.Top).Intersect(Bounds());
  if (d.IsEmpty()) return;
  int sx = d.Left - (dx - srcRect.Left);
  int sy = d.Top - (dy - srcRect.Top);
  for (int y = 0; y < d.Height(); ++y)
    std::memcpy(Row(d.Top + y) + d.Left, src.Row(sy + y) + sx,
                static_cast<std::size_t>(d.Width()) * sizeof(Pixel));
}

void Surface::XorFrom(const Surface& src) {
  std::size_t n = std::min(pixels_.size(), src.pixels_.size());
  for (std::size_t i = 0; i < n; ++i) pixels_[i] ^= src.pixels_[i] & 0xFFFFFFu;
}
