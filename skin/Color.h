// Colours are RGB values 0xRRGGBB, the way the skin's colour tables read;
// surfaces store them as BGRA pixels.
#pragma once

#include <cstdint>

using TColor = std::uint32_t;
using Pixel = std::uint32_t;  // 0xAARRGGBB: blue, green, red, alpha in memory

constexpr TColor RGBColor(int r, int g, int b) {
  return (static_cast<TColor>(r & 0xFF) << 16) | (static_cast<TColor>(g & 0xFF) << 8) |
         static_cast<TColor>(b & 0xFF);
}
constexpr int RedOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>(c & 0xFF); }

constexpr Pixel ToPixel(TColor c) { return 0xFF000000u | (c & 0xFFFFFFu); }
constexpr TColor ToColor(Pixel p) { return p & 0xFFFFFFu; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

// The system colours of the classic Windows scheme, fixed so that every
// platform draws the same pixels.
constexpr TColor clBtnFace = 0xD4D0C8;
constexpr TColor clBtnHighlight = 0xFFFFFF;
constexpr TColor clBtnShadow = 0x808080;
constexpr TColor clWindowText = 0x000000;
constexpr TColor clHighlightText = 0xFFFFFF;
constexpr TColor clWindowFrame = 0x000000;
constexpr TColor clScrollBar = 0xD4D0C8;
