#include "widgets/CustomDIBControl.h"

#include "widgets/Form.h"

void TCustomDIBControl::SetOpacity(std::uint8_t v) {
  if (v == opacity_) return;
  opacity_ = v;
  Invalidate();
}

void TCustomDIBControl::Paint(Canvas& canvas) {
  // Pictures of the moment only: kept between paints, the seventy-odd
  // controls' pictures would hold a megabyte at 200 %.
  const TSize size = canvas.DeviceSize(ClientRect());
  Surface beneath(size.cx, size.cy);
  canvas.Grab(beneath, ClientRect());
  Surface surface = beneath;
  Canvas own = canvas.Within(surface, ClientRect());
  PaintContent(own);
  Finish(surface, beneath);
  canvas.Overlay(0, 0, surface, opacity_);
}

void TCustomDIBControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  buttonHeld_ = true;
  TControl::MouseDown(button, shift, x, y);
}

void TCustomDIBControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  buttonHeld_ = false;
  TControl::MouseUp(button, shift, x, y);
  // A leave held back while the pointer was captured happens now, when the
  // release is outside.
  if (leavePending_ && button == TMouseButton::mbLeft && !ClientRect().Contains(x, y))
    ProcessLeave();
}

void TCustomDIBControl::MouseEnter() {
  leavePending_ = false;
  if (!hovered_) {
    hovered_ = true;
    Highlight();
  }
  TControl::MouseEnter();
}

void TCustomDIBControl::MouseLeave() {
  if (MouseCaptured()) {
    leavePending_ = true;
    return;
  }
  ProcessLeave();
}

void TCustomDIBControl::ProcessLeave() {
  leavePending_ = false;
  hovered_ = false;
  TControl::MouseLeave();
  if (!hovered_) Unhighlight();
}
