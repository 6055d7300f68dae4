#include "skin/Overlay.h"

Pixel BlendPixel(Pixel own, Pixel beneath, std::uint8_t opacity) {
  const std::uint32_t o = opacity;
  const std::uint32_t b = 255 - o;
  auto channel = [&](int shift) {
    std::uint32_t v = ((o * ((own >> shift) & 0xFF) + b * ((beneath >> shift) & 0xFF)) >> 8) + 1;
    return v << shift;
  };
  return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

void Overlay(Surface& beneath, const Surface& own, int dx, int dy, std::uint8_t opacity,
             const TRect& clip) {
  TRect d = own.Bounds().Offset(dx, dy).Intersect(clip).Intersect(beneath.Bounds());
  if (d.IsEmpty()) return;
  if (opacity == 255) {
    beneath.CopyFrom(own, d.Offset(-dx, -dy), d.Left, d.Top);
    return;
  }
  for (int y = d.Top; y < d.Bottom; ++y) {
    Pixel* dst = beneath.Row(y);
    const Pixel* src = own.Row(y - dy);
    for (int x = d.Left; x < d.Right; ++x) dst[x] = BlendPixel(src[x - dx], dst[x], opacity);
  }
}
