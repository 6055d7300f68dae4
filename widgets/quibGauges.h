// TQuibGauge: a windowless control showing an integer within a range as a
// bar, a pie, a needle or a percentage text. It only displays; its owner's
// mouse handlers turn pointer positions into Progress.
#pragma once

#include <stdexcept>
#include <string>

#include "skin/Font.h"
#include "widgets/Controls.h"

enum class TQuibGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
enum class TBorderStyle { bsNone, bsSingle };

// "Value must be between %d and %d": a range limit set past the other one.
class EValueRangeError : public std::logic_error {
public:
  EValueRangeError(int low, int high);
  int Low() const { return low_; }
  int High() const { return high_; }

private:
  int low_, high_;
};

class TQuibGauge : public TControl {
public:
  TQuibGauge();

  int Progress() const { return progress_; }
  void SetProgress(int v);
  int MinValue() const { return min_; }
  void SetMinValue(int v);
  int MaxValue() const { return max_; }
  void SetMaxValue(int v);
  int Percentage() const;

  TQuibGaugeKind Kind() const { return kind_; }
  void SetKind(TQuibGaugeKind v) { Change(kind_, v); }
  bool ShowText() const { return showText_; }
  void SetShowText(bool v) { Change(showText_, v); }
  bool InvertPie() const { return invertPie_; }
  void SetInvertPie(bool v) { Change(invertPie_, v); }
  bool CenterOrigin() const { return centerOrigin_; }
  void SetCenterOrigin(bool v) { Change(centerOrigin_, v); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v) { Change(borderStyle_, v); }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& v) { Change(font_, v); }
  int TextXOffset() const { return textX_; }
  void SetTextXOffset(int v) { Change(textX_, v); }
  int TextYOffset() const { return textY_; }
  void SetTextYOffset(int v) { Change(textY_, v); }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { Change(color_, v); }
  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor v) { Change(foreColor_, v); }
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor v) { Change(backColor_, v); }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v) { Change(borderColor_, v); }

  // The text the gauge overlays when ShowText is set.
  std::string Text() const;
  void Paint(Canvas& canvas) override;

private:
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }
  void PaintKind(Canvas& c, TRect r) const;
  void PaintBar(Canvas& c, TRect r, int W, int H) const;

  int progress_ = 0, min_ = 0, max_ = 100;
  TQuibGaugeKind kind_ = TQuibGaugeKind::gkHorizontalBar;
  bool showText_ = true, invertPie_ = false, centerOrigin_ = false;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  TFont font_;
  int textX_ = 0, textY_ = 0;
  TColor color_ = clBtnFace, foreColor_ = clBlack, backColor_ = clWhite, borderColor_ = clWhite;
};
