#include "widgets/quibGauges.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "widgets/Form.h"

namespace {

// Rounds to the nearest integer, halves to the even neighbour.
int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

std::string RangeMessage(int low, int high) {
  char text[64];
  std::snprintf(text, sizeof text, "Value must be between %d and %d", low, high);
  return text;
}

}  // namespace

EValueRangeError::EValueRangeError(int low, int high)
    : std::logic_error(RangeMessage(low, high)), low_(low), high_(high) {}

TQuibGauge::TQuibGauge() { SetBounds(0, 0, 100, 100); }

int TQuibGauge::Percentage() const {
  if (max_ == min_) return 0;
  return Round((static_cast<double>(progress_) - min_) * 100.0 /
               (static_cast<double>(max_) - min_));
}

void TQuibGauge::SetProgress(int v) {
  v = std::clamp(v, min_, std::max(min_, max_));
  if (v == progress_) return;
  const int before = Percentage();
  progress_ = v;
  if (Percentage() != before) Invalidate();
}

void TQuibGauge::SetMinValue(int v) {
  if (v == min_) return;
  if (v > max_ && !Loading()) throw EValueRangeError(-INT_MAX, max_ - 1);
  min_ = v;
  progress_ = std::max(progress_, v);
  Invalidate();
}

void TQuibGauge::SetMaxValue(int v) {
  if (v == max_) return;
  if (v < min_ && !Loading()) throw EValueRangeError(min_ + 1, INT_MAX);
  max_ = v;
  progress_ = std::min(progress_, v);
  Invalidate();
}

std::string TQuibGauge::Text() const {
  const int p = Percentage();
  char text[32];
  if (Tag == 99)
    std::snprintf(text, sizeof text, "%d", Round((p - 50) * -0.48));
  else
    std::snprintf(text, sizeof text, "%d%%", centerOrigin_ ? 100 - 2 * p : p);
  return text;
}

void TQuibGauge::Paint(Canvas& canvas) {
  TextRenderer* text = Form() ? &Form()->Text() : nullptr;
  // Composed off screen and copied in one step, so the bar never flickers.
  const TSize device = canvas.DeviceSize(ClientRect());
  Surface image(device.cx, device.cy);
  TRect r = ClientRect();
  if (borderStyle_ == TBorderStyle::bsSingle) r = r.Inflate(-1);
  Surface picture(device.cx, device.cy);
  Canvas pc = canvas.Within(picture, ClientRect());
  PaintKind(pc, r);
  image.XorFrom(picture);
  if (showText_ && text) {
    // Exclusive-or shows the text inverted against the bar.
    Surface overlay(device.cx, device.cy);
    Canvas tc = canvas.Within(overlay, ClientRect());
    const std::string s = Text();
    const TSize size = tc.TextExtent(font_, s);
    tc.Text(font_, (r.Right - r.Left + 1 - size.cx) / 2 + textX_,
            (r.Bottom - r.Top + 1 - size.cy) / 2 + textY_, s, font_.Color);
    image.XorFrom(overlay);
  }
  canvas.Draw(0, 0, image);
}

void TQuibGauge::PaintKind(Canvas& c, TRect r) const {
  const int p = Percentage();
  const bool single = borderStyle_ == TBorderStyle::bsSingle;
  switch (kind_) {
    case TQuibGaugeKind::gkText:
      c.FillRect(r, backColor_);
      return;
    case TQuibGaugeKind::gkHorizontalBar:
    case TQuibGaugeKind::gkVerticalBar:
      PaintBar(c, r, r.Width() + (single ? 0 : 1), r.Height() + (single ? 0 : 1));
      return;
    case TQuibGaugeKind::gkPie: {
      const int W = r.Width() + (single ? 1 : 0), H = r.Height() + (single ? 1 : 0);
      c.FillRect(r, color_);
      const TRect box{r.Left, r.Top, W, H};
      c.Ellipse(box, borderColor_, backColor_);
      if ((p <= 0 && !invertPie_) || (p >= 100 && invertPie_)) return;
      const double mx = W / 2, my = H / 2;
      const double v = invertPie_ ? 100 - p : p;
      const double a = (v / 50 + 0.5) * std::numbers::pi;
      c.Pie(box, {Round(mx * (1 - std::cos(a))), Round(my * (1 - std::sin(a)))},
            {static_cast<int>(mx), 0}, borderColor_, foreColor_);
      return;
    }
    case TQuibGaugeKind::gkNeedle: {
      const int W = r.Width() + (single ? 1 : 0), H = r.Height() + (single ? 1 : 0);
      c.FillRect(r, color_);
      c.Pie({r.Left, r.Top, W, 2 * H - 1}, {r.Left + W, r.Bottom - 1}, {r.Left, r.Bottom - 1},
            borderColor_, backColor_);
      c.Line(r.Left, r.Bottom, r.Left + W, r.Bottom, borderColor_);
      if (p > 0) {
        const double a = p / 100.0 * std::numbers::pi;
        const double half = Width() / 2;
        c.Line(Width() / 2, r.Bottom - 1, Round((1 - std::cos(a)) * half),
               Round((1 - std::sin(a)) * (r.Bottom - 1)), foreColor_);
      }
      return;
    }
  }
}

void TQuibGauge::PaintBar(Canvas& c, TRect r, int W, int H) const {
  const int p = Percentage();
  if (borderStyle_ == TBorderStyle::bsSingle) {
    c.FillRect(r, borderColor_);
    r = r.Inflate(-1);
  }
  c.FillRect(r, backColor_);
  if (kind_ == TQuibGaugeKind::gkHorizontalBar) {
    if (!centerOrigin_) {
      const int b = std::min(Round(p * W / 100.0), W);
      if (b >= 1) c.FillRect({r.Left, r.Top, b, H}, foreColor_);
      return;
    }
    const int m = W / 2;
    if (p < 51) {
      const int from = std::min(Round(2 * p * m / 100.0), m);
      if (from >= 0) c.FillRect({from, r.Top, m, H}, foreColor_);
    } else {
      const int e = std::min(Round((2 * p - 100) * m / 100.0), m);
      if (e >= 0) c.FillRect({m, r.Top, m + e, H}, foreColor_);
    }
    return;
  }
  if (!centerOrigin_) {
    const int b = std::min(Round(p * H / 100.0), H);
    if (b >= 1) c.FillRect({r.Left, H - b, W, H}, foreColor_);
    return;
  }
  // From the middle line toward the point p * H / 100: upward for the lower
  // half of the range, downward for the upper half.
  const int mid = H / 2;
  if (p < 51) {
    const int e = Round(2 * p * mid / 100.0);
    c.FillRect({r.Left, std::min(e, mid - 1), W, mid}, foreColor_);
  } else {
    const int f = Round((2 * p - 100) * mid / 100.0);
    c.FillRect({r.Left, mid, W, mid + std::min(mid, f) + 1}, foreColor_);
  }
}
