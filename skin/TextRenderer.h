// The one face through which all text reaches a surface. Each platform
// supplies its own (FreeType on Linux, GDI on Windows); tests use a face
// bound to one fixed font file so that their pixels do not depend on the
// fonts installed.
#pragma once

#include <string_view>

#include "skin/Font.h"
#include "skin/Surface.h"

struct FontMetrics {
  int Height = 0;  // of one line: ascent plus descent
  int Ascent = 0;
};

class TextRenderer {
public:
  virtual ~TextRenderer() = default;
  virtual FontMetrics Metrics(const TFont& font) = 0;
  // Advance width of a single line of 8-bit (Latin-1) text.
  virtual int Width(const TFont& font, std::string_view text) = 0;
  // Sets the pixels the glyphs cover to the colour, leaving the rest alone;
  // (x, y) is the top-left corner of the line.
  virtual void Render(Surface& target, const TFont& font, int x, int y, std::string_view text,
                      TColor color, const TRect& clip) = 0;
};
