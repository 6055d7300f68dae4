#include "widgets/CustomDIBControl.h"

#include "widgets/Form.h"

void TCustomDIBControl::SetOpacity(std::uint8_t v) {
  if (v == opacity_) return;
  opacity_ = v;
  Invalidate();
}

void TCustomDIBControl::Paint(Canvas& canvas) {
  const TSize size = canvas.DeviceSize(ClientRect());
  if (beneath_.Width() != size.cx || beneath_.Height() != size.cy) beneath_.Resize(size.cx, size.cy);
  canvas.Grab(beneath_, ClientRect());
  surface_ = beneath_;
  Canvas own = canvas.Within(surface_, ClientRect());
  PaintContent(own);
  Finish(surface_, beneath_);
  canvas.Overlay(0, 0, surface_, opacity_);
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
