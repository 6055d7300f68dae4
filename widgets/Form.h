// The root of a control tree: it owns the surface the tree paints into,
// collects what needs repainting, and turns the platform's pointer events
// into the controls' mouse events (capture, hover enter and leave, shift
// state). The platform layer presents Image() and feeds the Pointer calls;
// tests feed them directly. The tree keeps its 100 % coordinates at every
// scale: only Image() and the rectangles PaintInvalid answers are in device
// pixels.
#pragma once

#include <stdexcept>
#include <string_view>
#include <vector>

#include "skin/DIBTimer.h"
#include "widgets/Controls.h"

class TForm : public TWinControl {
public:
  TForm(TextRenderer& text, TimerClock& clock, int width, int height, Scale scale = Scale());
  ~TForm() override;

  TextRenderer& Text() const { return text_; }
  TimerClock& Clock() const { return clock_; }
  TColor Color() const { return color_; }
  void SetColor(TColor c);

  // Between these the controls take the values of the form description:
  // range checks and fitting wait, and EndLoading lets every control
  // finish (Loaded) in tree order.
  void BeginLoading() { loading_ = true; }
  void EndLoading();
  bool IsLoading() const { return loading_; }

  const Scale& DrawScale() const { return scale_; }
  // Draws the whole tree at the new scale from the next paint on; every
  // control hears of it (ScaleChanged).
  void SetScale(Scale scale);

  // Scale().ToDevice(Width()) by Scale().ToDevice(Height()) pixels.
  const Surface& Image() const { return image_; }
  bool NeedsPaint() const { return !invalid_.empty(); }
  // Repaints what was invalidated and answers the rectangles it touched,
  // in device pixels, for the platform to copy to the screen.
  std::vector<TRect> PaintInvalid();

  // Searches the whole tree by component name.
  TControl* FindControl(std::string_view name);
  template <class T>
  T& Find(std::string_view name) {
    if (auto* c = dynamic_cast<T*>(FindControl(name))) return *c;
    throw std::invalid_argument("no control of that kind named " + std::string(name));
  }

  // Pointer input in form coordinates. `keys` carries Shift, Ctrl, Alt and
  // the double-click flag; the form adds the buttons it knows are held.
  void PointerDown(TMouseButton button, TShiftState keys, int x, int y);
  void PointerMove(TShiftState keys, int x, int y);
  void PointerUp(TMouseButton button, TShiftState keys, int x, int y);
  // The pointer left the window.
  void PointerLeave();
  // A typed character: offered to the controls' accelerators in tree order.
  void KeyPress(char ch);
  // A letter key pressed with Ctrl (`keys` carries Shift, Ctrl and Alt):
  // a command of the form's own. Answers whether it used the key.
  virtual bool CommandKey(char, TShiftState) { return false; }

  TControl* CaptureControl() const { return capture_; }
  TControl* HoverControl() const { return hover_; }
  TWinControl* ActiveControl() const { return active_; }

  void Paint(Canvas& canvas) override;

protected:
  void BoundsChanged() override;
  // A gesture runs from the press of the first button to the release of
  // the last one; a press of a button the form thought still held (its
  // release went astray) starts a new one.
  virtual void GestureStarts() {}
  virtual void GestureEnds() {}

private:
  friend class TControl;
  friend class TWinControl;
  void AddInvalid(const TRect& r);
  void Forget(TControl* c);
  void SetActive(TWinControl* c);
  TShiftState Compose(TShiftState keys) const;
  void TrackHover(TControl* now);
  static void NotifyLoaded(TControl& c);
  static void NotifyScaleChanged(TControl& c);
  static bool OfferDialogChar(TControl& c, char ch);

  TextRenderer& text_;
  TimerClock& clock_;
  Scale scale_;
  TColor color_ = clBlack;
  Surface image_;
  std::vector<TRect> invalid_;
  TControl* capture_ = nullptr;
  TMouseButton captureButton_ = TMouseButton::mbLeft;
  TControl* hover_ = nullptr;
  TWinControl* active_ = nullptr;
  std::uint8_t buttons_ = 0;
  bool clickPending_ = false;
  bool loading_ = false;
};
