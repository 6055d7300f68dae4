// Text through GDI: runs are drawn without smoothing into a DIB section and
// their ink copied onto the surface, so the pixels match what the skin's
// small Windows fonts always looked like. The forms' face names draw as
// themselves, or with a narrow stand-in where one is installed (see the
// source).
#pragma once

#include <memory>
#include <string>

#include "skin/TextRenderer.h"

class GdiTextRenderer : public TextRenderer {
public:
  GdiTextRenderer();
  // Every font name draws with the family of one font file, loaded for this
  // process only (tests: pixels independent of the fonts installed).
  static std::unique_ptr<GdiTextRenderer> WithPrivateFont(std::string path, std::string family);
  ~GdiTextRenderer() override;

  FontMetrics Metrics(const TFont& font) override;
  int Width(const TFont& font, std::string_view text) override;
  void Render(Surface& target, const TFont& font, int x, int y, std::string_view text,
              TColor color, const TRect& clip) override;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
