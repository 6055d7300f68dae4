// TShape: a filled rectangle with a one-pixel outline, the window's panels,
// frames and grid lines. A shape two pixels wide or high or less is all
// outline: a line.
#pragma once

#include <optional>

#include "widgets/Controls.h"

class TShape : public TControl {
public:
  // No outline: the fill covers the whole shape. No fill: only the outline.
  TShape(std::optional<TColor> brush, std::optional<TColor> pen) : brush_(brush), pen_(pen) {}

  bool IsLine() const { return pen_ && (Width() <= 2 || Height() <= 2); }
  bool Outlined() const { return pen_.has_value(); }

  void Paint(Canvas& canvas) override;
  // The outline and the fill are both opaque: what lies beneath a filled
  // box never shows. A line keeps its own thickness, which need not cover
  // its bounds.
  bool PaintsWholeArea() const override { return brush_.has_value() && !IsLine(); }
  // A line keeps its thickness at every scale, past its bounds' device
  // edges where need be.
  TRect DeviceArea(const Scale& scale, TPoint origin) const override;

private:
  std::optional<TColor> brush_, pen_;
};
