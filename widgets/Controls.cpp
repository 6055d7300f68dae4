#include "widgets/Controls.h"

#include <algorithm>

#include "widgets/Form.h"

TControl::TControl() = default;

TControl::~TControl() {
  if (TForm* form = Form()) {
    Invalidate();
    form->Forget(this);
  }
}

TForm* TControl::Form() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  auto limit = [](int v, int lo, int hi) {
    if (hi > 0) v = std::min(v, hi);
    return std::max(v, lo);
  };
  width = limit(width, constraints_.MinWidth, constraints_.MaxWidth);
  height = limit(height, constraints_.MinHeight, constraints_.MaxHeight);
  TRect next = TRect::FromSize(left, top, width, height);
  if (next == bounds_) return;
  Invalidate();
  const bool resized = next.Width() != bounds_.Width() || next.Height() != bounds_.Height();
  bounds_ = next;
  Invalidate();
  if (resized) BoundsChanged();
}

void TControl::SetConstraints(const TSizeConstraints& c) {
  constraints_ = c;
  SetBounds(Left(), Top(), Width(), Height());
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Invalidate();
  visible_ = v;
  if (v) Invalidate();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Invalidate();
}

void TControl::BringToFront() {
  if (parent_) parent_->Raise(*this);
}

void TControl::Invalidate() { InvalidateRect(ClientRect()); }

void TControl::InvalidateRect(const TRect& r) {
  if (!Showing()) return;
  TRect area = r.Intersect(ClientRect());
  const TControl* c = this;
  for (; c->parent_ && !area.IsEmpty(); c = c->parent_)
    area = area.Offset(c->Left(), c->Top()).Intersect(c->parent_->ClientRect());
  if (auto* form = dynamic_cast<TForm*>(const_cast<TControl*>(c)); form && !area.IsEmpty())
    form->AddInvalid(area);
}

TPoint TControl::FormOrigin() const {
  TPoint p;
  for (const TControl* c = this; c->parent_; c = c->parent_) {
    p.X += c->Left();
    p.Y += c->Top();
  }
  return p;
}

bool TControl::MouseCaptured() const {
  TForm* form = Form();
  return form && form->CaptureControl() == this;
}

bool TControl::Loading() const {
  TForm* form = Form();
  return form && form->IsLoading();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

TWinControl::~TWinControl() { DestroyChildren(); }

void TWinControl::DestroyChildren() {
  // Topmost first, each child leaving the tree before it is freed.
  while (!children_.empty()) {
    std::unique_ptr<TControl> last = std::move(children_.back());
    last.reset();
    children_.pop_back();
  }
}

void TWinControl::Adopt(std::unique_ptr<TControl> child) {
  TControl& c = *child;
  c.parent_ = this;
  PlaceOnTop(std::move(child));
  if (Form()) c.AddedToForm();
}

void TWinControl::PlaceOnTop(std::unique_ptr<TControl> child) {
  TControl& c = *child;
  // The top of its kind: windowed controls stay above every non-windowed sibling.
  auto at = c.IsWindowed() ? children_.end()
                           : std::find_if(children_.begin(), children_.end(),
                                          [](auto& s) { return s->IsWindowed(); });
  children_.insert(at, std::move(child));
  c.Invalidate();
}

void TWinControl::RemoveControl(TControl& control) {
  auto it = std::find_if(children_.begin(), children_.end(),
                         [&](auto& c) { return c.get() == &control; });
  if (it == children_.end()) return;
  std::unique_ptr<TControl> gone = std::move(*it);
  gone.reset();
  children_.erase(it);
}

void TWinControl::Raise(TControl& control) {
  auto it = std::find_if(children_.begin(), children_.end(),
                         [&](auto& c) { return c.get() == &control; });
  if (it == children_.end()) return;
  std::unique_ptr<TControl> moving = std::move(*it);
  children_.erase(it);
  PlaceOnTop(std::move(moving));
}

TControl* TWinControl::ChildAt(int x, int y) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    TControl& c = **it;
    if (c.Visible() && c.Enabled() && c.BoundsRect().Contains(x, y)) return &c;
  }
  return nullptr;
}

TControl* TWinControl::ControlAt(int x, int y) {
  if (!ClientRect().Contains(x, y)) return nullptr;
  TControl* child = ChildAt(x, y);
  if (!child) return this;
  if (auto* w = dynamic_cast<TWinControl*>(child)) return w->ControlAt(x - w->Left(), y - w->Top());
  return child;
}

bool TWinControl::Focused() const {
  TForm* form = Form();
  return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  if (TForm* form = Form()) form->SetActive(this);
}
