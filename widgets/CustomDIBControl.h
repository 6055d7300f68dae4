// The base of the skin's windowless controls: each repaint copies what lies
// beneath into a picture of the control's size, draws the content on it and
// lays it back with the control's Opacity. It also keeps the hover state
// that drives highlighting.
#pragma once

#include <cstdint>

#include "widgets/Controls.h"

class TCustomDIBControl : public TControl {
public:
  std::uint8_t Opacity() const { return opacity_; }
  void SetOpacity(std::uint8_t v);
  bool Hovered() const { return hovered_; }
  // Between a press on the control and its release.
  bool ButtonHeld() const { return buttonHeld_; }

  void Paint(Canvas& canvas) final;

protected:
  virtual void PaintContent(Canvas& canvas) = 0;
  // Turns the control's surface once its content is drawn (rotation and
  // scaling); `beneath` is what the control covers. Nothing by default.
  virtual void Finish(Surface&, const Surface& /*beneath*/) {}
  virtual void Highlight() {}
  virtual void Unhighlight() {}

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  void ProcessLeave();
  std::uint8_t opacity_ = 255;
  bool hovered_ = false;
  bool leavePending_ = false;
  bool buttonHeld_ = false;
};
