// A font as the skin's forms describe it: a Windows face name and a height
// in pixels (negative: character height, positive: cell height).
#pragma once

#include <string>

#include "skin/Color.h"

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TColor Color = clWindowText;
  bool Bold = false;

  // Sizes in points, at the 96 pixels per inch the forms were laid out at.
  static int HeightForSize(int points) { return -(points * 96 + 36) / 72; }

  friend bool operator==(const TFont&, const TFont&) = default;
};
