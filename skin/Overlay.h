// Lays a control's surface over what lies beneath it.
#pragma once

#include <cstdint>

#include "skin/Surface.h"

// With opacity 255 the pixels are copied; otherwise every colour channel
// becomes ((opacity * own + (255 - opacity) * beneath) div 256) + 1, the
// rounding the skin has always had. Only the part of `own` that lands
// inside `clip` (beneath's coordinates) is touched.
void Overlay(Surface& beneath, const Surface& own, int dx, int dy, std::uint8_t opacity,
             const TRect& clip);

Pixel BlendPixel(Pixel own, Pixel beneath, std::uint8_t opacity);
