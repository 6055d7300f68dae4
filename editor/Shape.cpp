#include "editor/Shape.h"

void TShape::Paint(Canvas& canvas) {
  const TRect r = ClientRect();
  if (IsLine()) {
    canvas.FillLine(r, *pen_);
    return;
  }
  if (brush_) canvas.FillRect(r, *brush_);
  if (pen_) canvas.Frame3D(r, *pen_, *pen_, 1);
}

TRect TShape::DeviceArea(const Scale& scale, TPoint origin) const {
  if (!IsLine()) return TControl::DeviceArea(scale, origin);
  return scale.LineRect(TRect::FromSize(origin.X, origin.Y, Width(), Height()));
}
