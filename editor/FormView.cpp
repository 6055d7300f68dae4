#include "editor/FormView.h"

#include <algorithm>

namespace {

TMouseButton ButtonOf(PointerButton button) {
  switch (button) {
    case PointerButton::Middle: return TMouseButton::mbMiddle;
    case PointerButton::Right: return TMouseButton::mbRight;
    case PointerButton::Left: break;
  }
  return TMouseButton::mbLeft;
}

TShiftState ShiftOf(std::uint8_t keys) {
  std::uint8_t bits = 0;
  if (keys & pkShift) bits |= ssShift;
  if (keys & pkCtrl) bits |= ssCtrl;
  if (keys & pkAlt) bits |= ssAlt;
  if (keys & pkDouble) bits |= ssDouble;
  return TShiftState::FromBits(bits);
}

}  // namespace

void FormView::Pointer(const PointerEvent& e) {
  const Scale& scale = form_.DrawScale();
  const int x = scale.ToLogical(e.x), y = scale.ToLogical(e.y);
  switch (e.kind) {
    case PointerEvent::Press: form_.PointerDown(ButtonOf(e.button), ShiftOf(e.keys), x, y); break;
    case PointerEvent::Release: form_.PointerUp(ButtonOf(e.button), ShiftOf(e.keys), x, y); break;
    case PointerEvent::Move: form_.PointerMove(ShiftOf(e.keys), x, y); break;
  }
}

bool FormView::CommandKey(char letter, std::uint8_t keys) {
  return form_.CommandKey(letter, ShiftOf(keys));
}

ViewCursor FormView::CursorAt(int x, int y) const {
  const Scale& scale = form_.DrawScale();
  for (const TControl* c = form_.ControlAt(scale.ToLogical(x), scale.ToLogical(y)); c;
       c = c->Parent())
    if (std::find(crossHair_.begin(), crossHair_.end(), c) != crossHair_.end())
      return ViewCursor::CrossHair;
  return ViewCursor::Arrow;
}
