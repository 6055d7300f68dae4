// The control tree: every widget is a TControl with a parent, bounds, a Tag
// and a name; TWinControl holds children. Windowed children always lie
// above their non-windowed siblings. A tree hangs under a TForm, which
// paints it into one surface and routes the pointer to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "skin/Canvas.h"
#include "widgets/Events.h"

class TForm;
class TWinControl;

struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // 0: no limit
};

class TControl {
public:
  TControl();
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  std::string Name;
  int Tag = 0;

  TWinControl* Parent() const { return parent_; }
  // The form at the root of the tree, or null while the control hangs
  // nowhere.
  TForm* Form() const;
  virtual bool IsWindowed() const { return false; }

  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& c);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // Whether the control and all its ancestors are visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  void BringToFront();

  // Marks the control's area, or part of it (own coordinates), for the next
  // paint of the form.
  void Invalidate();
  void InvalidateRect(const TRect& r);
  // Position of the control's top-left corner in the form.
  TPoint FormOrigin() const;
  // Whether this control holds the pointer (a left press inside it still held).
  bool MouseCaptured() const;
  // While the form is being built from its description (see TForm::BeginLoading).
  bool Loading() const;

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Draws the control; the canvas is in the control's coordinates and
  // clipped to what needs repainting.
  virtual void Paint(Canvas&) {}
  // True when Paint covers every pixel of the control's area: nothing under
  // it shows, so nothing under it needs painting.
  virtual bool PaintsWholeArea() const { return false; }
  // The device pixels Paint may touch at `scale` with the control at
  // `origin` in the form: its bounds' own, unless it draws past them.
  virtual TRect DeviceArea(const Scale& scale, TPoint origin) const {
    return scale.ToDevice(bounds_.Offset(origin.X - bounds_.Left, origin.Y - bounds_.Top));
  }

protected:
  friend class TForm;
  friend class TWinControl;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Click();
  // Whether a press of the button inside the control sends it every pointer
  // event, wherever the pointer goes, until that button is released.
  virtual bool CapturesButton(TMouseButton button) const { return button == TMouseButton::mbLeft; }
  // A character typed while no control takes keys: true when this control
  // acted on it as its accelerator.
  virtual bool DialogChar(char) { return false; }
  virtual void BoundsChanged() {}
  // The control joined a form's tree (text can be measured from now on).
  virtual void AddedToForm() {}
  // The form finished loading.
  virtual void Loaded() {}
  // The form draws at another scale from now on (the control's own
  // coordinates stay as they are).
  virtual void ScaleChanged() {}

private:
  TWinControl* parent_ = nullptr;
  TRect bounds_;
  TSizeConstraints constraints_;
  bool visible_ = true;
  bool enabled_ = true;
};

class TWinControl : public TControl {
public:
  ~TWinControl() override;
  bool IsWindowed() const override { return true; }

  // Creates a child with a name and bounds; the parent owns it.
  template <class T, class... Args>
  T& Add(std::string name, int left, int top, int width, int height, Args&&... args) {
    auto child = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *child;
    ref.Name = std::move(name);
    ref.SetBounds(left, top, width, height);
    Adopt(std::move(child));
    return ref;
  }
  // Destroys a child and its subtree.
  void RemoveControl(TControl& control);

  // Bottom to top: the order of painting.
  int ControlCount() const { return static_cast<int>(children_.size()); }
  TControl& Controls(int i) const { return *children_[i]; }
  // The topmost showing, enabled child under the point (own coordinates).
  TControl* ChildAt(int x, int y) const;
  // Deepest control under the point, this control itself when no child is.
  TControl* ControlAt(int x, int y);

  bool Focused() const;
  void SetFocus();

protected:
  friend class TForm;
  friend class TControl;
  virtual void FocusChanged() {}
  void DestroyChildren();

private:
  void Adopt(std::unique_ptr<TControl> child);
  void Raise(TControl& control);
  void PlaceOnTop(std::unique_ptr<TControl> child);
  std::vector<std::unique_ptr<TControl>> children_;
};
