// Text through FreeType, with the editor's Windows font names drawn in a
// narrow face fontconfig finds (one whose metrics fit the forms' caption
// boxes), or with one fixed font file.
// Glyphs are rendered one bit deep, as the skin's small Windows fonts were,
// and cached per font, size and character.
#pragma once

#include <memory>
#include <string>

#include "skin/TextRenderer.h"

class FreeTypeTextRenderer : public TextRenderer {
public:
  static std::unique_ptr<FreeTypeTextRenderer> WithFontconfig();
  // Every font name draws with this file (tests: pixels independent of the
  // fonts installed).
  static std::unique_ptr<FreeTypeTextRenderer> WithFixedFile(std::string path);
  ~FreeTypeTextRenderer() override;

  FontMetrics Metrics(const TFont& font) override;
  int Width(const TFont& font, std::string_view text) override;
  void Render(Surface& target, const TFont& font, int x, int y, std::string_view text,
              TColor color, const TRect& clip) override;

private:
  struct Impl;
  explicit FreeTypeTextRenderer(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};
