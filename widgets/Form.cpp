#include "widgets/Form.h"

#include <algorithm>

namespace {

// The last control, in painting order, under `c` (at `origin`) that paints
// all of `area` itself, or null. Only a control that holds the whole area
// can be one or lead to one; the later ones in painting order are the top
// children and, within each, its own children.
const TControl* CoverIn(const TControl& c, TPoint origin, const TRect& area) {
  const auto* w = dynamic_cast<const TWinControl*>(&c);
  if (!w) return nullptr;
  for (int i = w->ControlCount() - 1; i >= 0; --i) {
    const TControl& child = w->Controls(i);
    const TRect bounds =
        TRect::FromSize(origin.X + child.Left(), origin.Y + child.Top(), child.Width(), child.Height());
    if (!child.Visible() || !bounds.Contains(area)) continue;
    if (const TControl* deeper = CoverIn(child, {bounds.Left, bounds.Top}, area)) return deeper;
    if (child.PaintsWholeArea()) return &child;
  }
  return nullptr;
}

// Paints the tree in order, from `skipUntil` on when it is set: whatever
// comes before that control would be painted over by it. `origin` is the
// control's place in the form, `clip` the device pixels that may change.
void PaintTree(TControl& c, TPoint origin, const TRect& clip, Surface& s, TextRenderer& text,
               Scale scale, const TControl*& skipUntil) {
  const TRect area = c.DeviceArea(scale, origin).Intersect(clip);
  if (area.IsEmpty()) return;
  if (&c == skipUntil) skipUntil = nullptr;
  if (!skipUntil) {
    Canvas canvas(s, scale, origin, {0, 0}, area, &text);
    c.Paint(canvas);
  }
  if (auto* w = dynamic_cast<TWinControl*>(&c)) {
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl& child = w->Controls(i);
      if (child.Visible())
        PaintTree(child, {origin.X + child.Left(), origin.Y + child.Top()}, area, s, text, scale,
                  skipUntil);
    }
  }
}

TControl* FindIn(TControl& c, std::string_view name) {
  if (c.Name == name) return &c;
  if (auto* w = dynamic_cast<TWinControl*>(&c))
    for (int i = 0; i < w->ControlCount(); ++i)
      if (TControl* found = FindIn(w->Controls(i), name)) return found;
  return nullptr;
}

}  // namespace

TForm::TForm(TextRenderer& text, TimerClock& clock, int width, int height, Scale scale)
    : text_(text), clock_(clock), scale_(scale) {
  SetBounds(0, 0, width, height);
}

TForm::~TForm() {
  // While the form is whole: the children unregister from it as they go.
  DestroyChildren();
}

void TForm::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Invalidate();
}

void TForm::BoundsChanged() {
  image_.Resize(scale_.ToDevice(Width()), scale_.ToDevice(Height()));
  invalid_.clear();
  AddInvalid(ClientRect());
}

void TForm::SetScale(Scale scale) {
  if (scale == scale_) return;
  scale_ = scale;
  BoundsChanged();
  NotifyScaleChanged(*this);
}

void TForm::NotifyScaleChanged(TControl& c) {
  c.ScaleChanged();
  if (auto* w = dynamic_cast<TWinControl*>(&c))
    for (int i = 0; i < w->ControlCount(); ++i) NotifyScaleChanged(w->Controls(i));
}

void TForm::Paint(Canvas& canvas) { canvas.FillRect(ClientRect(), color_); }

void TForm::AddInvalid(const TRect& r) {
  for (const TRect& have : invalid_)
    if (have.Contains(r)) return;
  std::erase_if(invalid_, [&](const TRect& have) { return r.Contains(have); });
  invalid_.push_back(r);
  // Past a few dozen scattered rectangles one repaint of their hull is cheaper.
  if (invalid_.size() > 48) {
    TRect hull;
    for (const TRect& have : invalid_) hull = hull.Union(have);
    invalid_.assign(1, hull);
  }
}

std::vector<TRect> TForm::PaintInvalid() {
  std::vector<TRect> painted;
  painted.swap(invalid_);
  for (TRect& r : painted) {
    // What covers the area is found in the form's own coordinates.
    const TControl* skipUntil = CoverIn(*this, {0, 0}, r);
    r = scale_.ToDevice(r);
    PaintTree(*this, {0, 0}, r, image_, text_, scale_, skipUntil);
  }
  return painted;
}

void TForm::NotifyLoaded(TControl& c) {
  c.Loaded();
  if (auto* w = dynamic_cast<TWinControl*>(&c))
    for (int i = 0; i < w->ControlCount(); ++i) NotifyLoaded(w->Controls(i));
}

void TForm::EndLoading() {
  loading_ = false;
  NotifyLoaded(*this);
}

TControl* TForm::FindControl(std::string_view name) { return FindIn(*this, name); }

void TForm::Forget(TControl* c) {
  if (capture_ == c) capture_ = nullptr;
  if (hover_ == c) hover_ = nullptr;
  if (active_ == c) active_ = nullptr;
}

void TForm::SetActive(TWinControl* c) {
  if (c == active_) return;
  TWinControl* old = active_;
  active_ = c;
  if (old) old->FocusChanged();
  if (c) c->FocusChanged();
}

TShiftState TForm::Compose(TShiftState keys) const {
  return TShiftState::FromBits((keys.Bits() & (ssShift | ssAlt | ssCtrl | ssDouble)) | buttons_);
}

void TForm::TrackHover(TControl* now) {
  if (now == hover_) return;
  TControl* old = hover_;
  hover_ = now;
  if (old) old->MouseLeave();
  if (now && hover_ == now) now->MouseEnter();
}

void TForm::PointerDown(TMouseButton button, TShiftState keys, int x, int y) {
  TrackHover(ControlAt(x, y));
  if (buttons_ == 0 || (buttons_ & ShiftFlagOf(button))) GestureStarts();
  buttons_ |= ShiftFlagOf(button);
  TControl* target = capture_ ? capture_ : ControlAt(x, y);
  if (!target) return;
  if (!capture_ && target->CapturesButton(button)) {
    capture_ = target;
    captureButton_ = button;
    clickPending_ = button == TMouseButton::mbLeft;
  }
  const TPoint o = target->FormOrigin();
  target->MouseDown(button, Compose(keys), x - o.X, y - o.Y);
}

void TForm::PointerMove(TShiftState keys, int x, int y) {
  TrackHover(ControlAt(x, y));
  TControl* target = capture_ ? capture_ : ControlAt(x, y);
  if (!target) return;
  const TPoint o = target->FormOrigin();
  target->MouseMove(Compose(keys), x - o.X, y - o.Y);
}

void TForm::PointerUp(TMouseButton button, TShiftState keys, int x, int y) {
  const bool wasHeld = (buttons_ & ShiftFlagOf(button)) != 0;
  buttons_ &= static_cast<std::uint8_t>(~ShiftFlagOf(button));
  TControl* target = capture_ ? capture_ : ControlAt(x, y);
  bool click = false;
  if (capture_ && button == captureButton_) {
    click = clickPending_;
    capture_ = nullptr;
    clickPending_ = false;
  }
  if (target) {
    const TPoint o = target->FormOrigin();
    if (click && target->ClientRect().Contains(x - o.X, y - o.Y)) target->Click();
    target->MouseUp(button, Compose(keys), x - o.X, y - o.Y);
  }
  TrackHover(ControlAt(x, y));
  if (wasHeld && buttons_ == 0) GestureEnds();
}

void TForm::PointerLeave() { TrackHover(nullptr); }

bool TForm::OfferDialogChar(TControl& c, char ch) {
  if (!c.Visible() || !c.Enabled()) return false;
  if (c.DialogChar(ch)) return true;
  if (auto* w = dynamic_cast<TWinControl*>(&c))
    for (int i = 0; i < w->ControlCount(); ++i)
      if (OfferDialogChar(w->Controls(i), ch)) return true;
  return false;
}

void TForm::KeyPress(char ch) { OfferDialogChar(*this, ch); }
