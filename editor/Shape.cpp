#include "editor/Shape.h"

void TShape::Paint(Canvas& canvas) {
  TRect inside = ClientRect();
  if (pen_) {
    canvas.FillRect(inside, *pen_);
    inside = inside.Inflate(-1);
  }
  if (brush_ && !inside.IsEmpty()) canvas.FillRect(inside, *brush_);
}
