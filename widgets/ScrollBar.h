// A plain scroll bar: arrow buttons at both ends, a track and a thumb whose
// length shows the page. Clicks on the arrows move by SmallChange, on the
// track by LargeChange; the thumb can be dragged.
#pragma once

#include <functional>

#include "widgets/Controls.h"

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TScrollBarKind kind = TScrollBarKind::sbHorizontal) : kind_(kind) {}

  TScrollBarKind Kind() const { return kind_; }
  int Max() const { return max_; }
  int PageSize() const { return page_; }
  int Position() const { return position_; }
  // Range from 0 to max with the page shown; keeps the position in range.
  void SetParams(int max, int page);
  void SetPosition(int v);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) { smallChange_ = v; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) { largeChange_ = v; }

  // After the position changed by the user or by SetPosition.
  std::function<void()> OnChange;

  void Paint(Canvas& canvas) override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  int Along(int x, int y) const { return kind_ == TScrollBarKind::sbVertical ? y : x; }
  int Length() const { return kind_ == TScrollBarKind::sbVertical ? Height() : Width(); }
  int Thickness() const { return kind_ == TScrollBarKind::sbVertical ? Width() : Height(); }
  int Track() const { return std::max(Length() - 2 * Thickness(), 0); }
  int ThumbLength() const;
  int ThumbStart() const;
  TRect Span(int from, int to) const;

  TScrollBarKind kind_;
  int max_ = 100, page_ = 0, position_ = 0;
  int smallChange_ = 1, largeChange_ = 1;
  int dragFrom_ = -1, dragPosition_ = 0;
};
