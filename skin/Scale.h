// The size the editor is drawn at. Controls keep their coordinates at
// 100 % (logical pixels); the surfaces they paint into hold device pixels.
// Every edge maps on its own, v to floor(v * percent / 100 + 1/2), so two
// controls that meet at 100 % meet at every scale, with neither a gap nor
// an overlap between them.
#pragma once

#include "skin/Font.h"
#include "skin/Geometry.h"

class Scale {
public:
  // The scales the editor offers.
  static constexpr int kOffered[] = {100, 150, 200};
  static constexpr bool Offered(int percent) {
    for (int p : kOffered)
      if (p == percent) return true;
    return false;
  }

  constexpr Scale() = default;
  // Callers check Offered first; any positive percentage maps consistently.
  explicit constexpr Scale(int percent) : percent_(percent > 0 ? percent : 100) {}

  constexpr int Percent() const { return percent_; }
  constexpr bool IsUnit() const { return percent_ == 100; }

  constexpr int ToDevice(int v) const { return FloorDiv(v * percent_ + 50, 100); }
  constexpr TPoint ToDevice(TPoint p) const { return {ToDevice(p.X), ToDevice(p.Y)}; }
  constexpr TRect ToDevice(const TRect& r) const {
    return {ToDevice(r.Left), ToDevice(r.Top), ToDevice(r.Right), ToDevice(r.Bottom)};
  }
  // The logical pixel whose device span holds device pixel d.
  constexpr int ToLogical(int d) const { return FloorDiv(100 * d + 49, percent_); }
  // The logical length that holds `d` device pixels, rounded up: a box that
  // long fits what was measured in device pixels.
  constexpr int LogicalCeil(int d) const { return -FloorDiv(-100 * d, percent_); }
  // A length without a place (a maximum text width, say), and a line's
  // thickness: a line w pixels thick is Length(w) device pixels thick
  // wherever it lies. A 1-pixel line is 2 device pixels at 150 %: the
  // 1.5 rounds up as every edge's half does, and lines keep the weight of
  // the text and images around them, which grow by half too.
  constexpr int Length(int v) const { return ToDevice(v); }
  // The device pixels of a horizontal or vertical line covering `r`, as
  // thick as r's narrower side, that belongs to no box: across, Length of
  // that side, centred on the line's middle (halves rounding up); along,
  // r's own device edges. So a free line keeps its thickness and its middle
  // wherever it lies, even where that reaches past r's device edges. (A
  // box's frame instead starts at the box's own device edge.)
  constexpr TRect LineRect(const TRect& r) const {
    TRect d = ToDevice(r);
    if (r.Width() <= r.Height()) {
      d.Left = LineStart(r.Left, r.Width());
      d.Right = d.Left + Length(r.Width());
    } else {
      d.Top = LineStart(r.Top, r.Height());
      d.Bottom = d.Top + Length(r.Height());
    }
    return d;
  }

  // The font at the device size: the same face, its height scaled (the
  // sign, which says character or cell height, stays).
  TFont Font(const TFont& f) const {
    if (IsUnit()) return f;
    TFont scaled = f;
    const int magnitude = f.Height < 0 ? -f.Height : f.Height;
    const int device = ToDevice(magnitude);
    scaled.Height = f.Height < 0 ? -device : device;
    return scaled;
  }

  friend constexpr bool operator==(Scale, Scale) = default;

private:
  constexpr int LineStart(int v, int w) const {
    return FloorDiv((2 * v + w) * percent_ - 100 * Length(w) + 100, 200);
  }
  static constexpr int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
  int percent_ = 100;
};
