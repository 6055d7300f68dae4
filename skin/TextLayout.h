// Multi-line text placement with the rules of the Windows DrawText call
// that the skin's labels were designed against: alignment, word breaks,
// tab expansion and "&" accelerator prefixes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/TextRenderer.h"

enum TextFlags : unsigned {
  tfLeft = 0,
  tfCenter = 1,
  tfRight = 2,
  tfWordBreak = 4,
  tfExpandTabs = 8,
  tfNoPrefix = 16,
  // Vertical placement of the whole block inside its box (default: top).
  tfVCenter = 32,
  tfBottom = 64,
};

struct TextLine {
  std::string Text;  // tabs expanded, prefixes removed
  int Width = 0;
  int Underline = -1;  // index in Text of the accelerator character, or -1
};

struct TextLayout {
  std::vector<TextLine> Lines;
  int LineHeight = 0;
  int Width = 0;  // of the widest line
  int Height() const { return LineHeight * static_cast<int>(Lines.size()); }
};

// The character marked by a single "&", or 0.
char AcceleratorOf(std::string_view text);

TextLayout LayoutText(TextRenderer& renderer, const TFont& font, std::string_view text,
                      int maxWidth, unsigned flags);

// Where a laid-out line starts inside `r` under the alignment of `flags`.
int LineLeft(const TextLine& line, const TRect& r, unsigned flags);
// The top-left corner of line `index` of `layout` placed inside `r`.
TPoint LineOrigin(const TextLayout& layout, std::size_t index, const TRect& r, unsigned flags);

// The box the glyphs of one line cover, relative to the line's top-left
// corner; empty for a line without ink. Glyphs may reach past the advance
// width and above or below the line.
TRect InkOf(TextRenderer& renderer, const TFont& font, std::string_view text);
