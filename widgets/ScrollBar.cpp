#include "widgets/ScrollBar.h"

#include <algorithm>

void TScrollBar::SetParams(int max, int page) {
  if (max == max_ && page == page_) return;
  max_ = max;
  page_ = page;
  Invalidate();
  SetPosition(position_);
}

void TScrollBar::SetPosition(int v) {
  v = std::clamp(v, 0, std::max(max_ - page_, 0));
  if (v == position_) return;
  position_ = v;
  Invalidate();
  if (OnChange) OnChange();
}

int TScrollBar::ThumbLength() const {
  if (max_ <= 0) return Track();
  return std::clamp(Track() * page_ / max_, std::min(8, Track()), Track());
}

int TScrollBar::ThumbStart() const {
  const int room = Track() - ThumbLength();
  const int span = std::max(max_ - page_, 1);
  return Thickness() + room * position_ / span;
}

TRect TScrollBar::Span(int from, int to) const {
  return kind_ == TScrollBarKind::sbVertical ? TRect{0, from, Width(), to}
                                             : TRect{from, 0, to, Height()};
}

void TScrollBar::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), clScrollBar);
  auto button = [&](TRect r) {
    canvas.FillRect(r, clBtnFace);
    canvas.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
  };
  const int t = Thickness();
  TRect first = Span(0, t), last = Span(Length() - t, Length());
  button(first);
  button(last);
  // Arrow heads: small triangles pointing away from the track.
  const int h = std::max(t / 4, 1);
  for (int i = 0; i < h; ++i) {
    const int c = t / 2;
    if (kind_ == TScrollBarKind::sbVertical) {
      canvas.FillRect({c - i, first.Top + c - h / 2 + i, c + i + 1, first.Top + c - h / 2 + i + 1}, clBlack);
      canvas.FillRect({c - i, last.Top + c + h / 2 - i, c + i + 1, last.Top + c + h / 2 - i + 1}, clBlack);
    } else {
      canvas.FillRect({first.Left + c - h / 2 + i, c - i, first.Left + c - h / 2 + i + 1, c + i + 1}, clBlack);
      canvas.FillRect({last.Left + c + h / 2 - i, c - i, last.Left + c + h / 2 - i + 1, c + i + 1}, clBlack);
    }
  }
  if (Track() > 0 && page_ < max_) button(Span(ThumbStart(), ThumbStart() + ThumbLength()));
}

void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const int at = Along(x, y), t = Thickness();
  if (at < t)
    SetPosition(position_ - smallChange_);
  else if (at >= Length() - t)
    SetPosition(position_ + smallChange_);
  else if (at < ThumbStart())
    SetPosition(position_ - largeChange_);
  else if (at >= ThumbStart() + ThumbLength())
    SetPosition(position_ + largeChange_);
  else {
    dragFrom_ = at;
    dragPosition_ = position_;
  }
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  const int room = Track() - ThumbLength();
  if (dragFrom_ < 0 || room <= 0) return;
  SetPosition(dragPosition_ + (Along(x, y) - dragFrom_) * std::max(max_ - page_, 0) / room);
}

void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) dragFrom_ = -1;
  TWinControl::MouseUp(button, shift, x, y);
}
