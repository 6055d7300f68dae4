// TShape: a filled rectangle with a one-pixel outline, the window's panels,
// frames and grid lines. A shape one pixel wide or high is all outline.
#pragma once

#include <optional>

#include "widgets/Controls.h"

class TShape : public TControl {
public:
  // No outline: the fill covers the whole shape. No fill: only the outline.
  TShape(std::optional<TColor> brush, std::optional<TColor> pen) : brush_(brush), pen_(pen) {}

  void Paint(Canvas& canvas) override;
  // The outline and the fill are both opaque: what lies beneath a filled
  // shape never shows.
  bool PaintsWholeArea() const override { return brush_.has_value(); }

private:
  std::optional<TColor> brush_, pen_;
};
