// A 32-bit BGRA pixel surface: what every control draws into and what the
// platform layer presents.
#pragma once

#include <vector>

#include "skin/Color.h"
#include "skin/Geometry.h"

class Surface {
public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = ToPixel(clBlack));
  // Takes over `pixels`, rows from the top; a vector of the wrong length
  // gives an empty surface.
  Surface(int width, int height, std::vector<Pixel> pixels);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect Bounds() const { return {0, 0, width_, height_}; }
  // Keeps no content: callers repaint after a resize.
  void Resize(int width, int height, Pixel fill = ToPixel(clBlack));

  Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  TColor ColorAt(int x, int y) const { return ToColor(At(x, y)); }
  void Set(int x, int y, Pixel p) { Row(y)[x] = p; }

  void Fill(const TRect& r, Pixel p);
  // Copies src's rectangle so that its top-left lands at (dx, dy); both
  // sides are clipped.
  void CopyFrom(const Surface& src, const TRect& srcRect, int dx, int dy);
  // Exclusive-or of the colours of a surface of the same size; alpha stays.
  void XorFrom(const Surface& src);

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};
