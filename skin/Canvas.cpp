#include "skin/Canvas.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "skin/Overlay.h"

Canvas::Canvas(Surface& target, TPoint origin, const TRect& clip, TextRenderer* text)
    : target_(target), origin_(origin), clip_(clip.Intersect(target.Bounds())), text_(text) {}

Canvas::Canvas(Surface& target, TextRenderer* text)
    : Canvas(target, {0, 0}, target.Bounds(), text) {}

void Canvas::SetPixel(int x, int y, TColor c) {
  x += origin_.X;
  y += origin_.Y;
  if (clip_.Contains(x, y)) target_.Set(x, y, ToPixel(c));
}

void Canvas::FillRect(const TRect& r, TColor c) { target_.Fill(ToTarget(r), ToPixel(c)); }

void Canvas::Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width) {
  for (; width > 0 && !r.IsEmpty(); --width) {
    // The top-right and bottom-left corner pixels belong to the dark side.
    FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
    FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
    FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
    FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    r = r.Inflate(-1);
  }
}

void Canvas::Line(int x0, int y0, int x1, int y1, TColor c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    SetPixel(x0, y0, c);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

namespace {

struct EllipseShape {
  double cx, cy, rx, ry;
  explicit EllipseShape(const TRect& b)
      : cx((b.Left + b.Right - 1) / 2.0), cy((b.Top + b.Bottom - 1) / 2.0),
        rx(std::max((b.Right - b.Left - 1) / 2.0, 0.5)),
        ry(std::max((b.Bottom - b.Top - 1) / 2.0, 0.5)) {}
  bool Inside(int x, int y) const {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0 + 1e-9;
  }
  bool OnOutline(int x, int y) const {
    return Inside(x, y) && (!Inside(x - 1, y) || !Inside(x + 1, y) || !Inside(x, y - 1) ||
                            !Inside(x, y + 1));
  }
  // Counter-clockwise angle on screen (y grows downward), 0 to 2 pi.
  double Angle(double x, double y) const {
    double a = std::atan2(-(y - cy), x - cx);
    return a < 0 ? a + 2 * std::numbers::pi : a;
  }
};

double SweepFrom(double from, double to) {
  double d = to - from;
  return d < 0 ? d + 2 * std::numbers::pi : d;
}

}  // namespace

void Canvas::Ellipse(const TRect& box, TColor pen, TColor brush) {
  if (box.IsEmpty()) return;
  EllipseShape e(box);
  for (int y = box.Top; y < box.Bottom; ++y)
    for (int x = box.Left; x < box.Right; ++x)
      if (e.Inside(x, y)) SetPixel(x, y, e.OnOutline(x, y) ? pen : brush);
}

void Canvas::Pie(const TRect& box, TPoint start, TPoint end, TColor pen, TColor brush) {
  if (box.IsEmpty()) return;
  EllipseShape e(box);
  const double a0 = e.Angle(start.X, start.Y);
  double sweep = SweepFrom(a0, e.Angle(end.X, end.Y));
  if (sweep == 0) sweep = 2 * std::numbers::pi;  // identical radials: the whole ellipse
  for (int y = box.Top; y < box.Bottom; ++y)
    for (int x = box.Left; x < box.Right; ++x)
      if (e.Inside(x, y) && SweepFrom(a0, e.Angle(x, y)) <= sweep)
        SetPixel(x, y, e.OnOutline(x, y) ? pen : brush);
  auto radial = [&](double a) {
    const int x = static_cast<int>(std::lround(e.cx + e.rx * std::cos(a)));
    const int y = static_cast<int>(std::lround(e.cy - e.ry * std::sin(a)));
    Line(static_cast<int>(std::lround(e.cx)), static_cast<int>(std::lround(e.cy)), x, y, pen);
  };
  if (sweep < 2 * std::numbers::pi) {
    radial(a0);
    radial(a0 + sweep);
  }
}

void Canvas::Draw(int x, int y, const Surface& s) {
  TRect d = ToTarget(s.Bounds().Offset(x, y));
  if (!d.IsEmpty())
    target_.CopyFrom(s, d.Offset(-x - origin_.X, -y - origin_.Y), d.Left, d.Top);
}

void Canvas::DrawMasked(int x, int y, const Surface& s) {
  TRect d = ToTarget(s.Bounds().Offset(x, y));
  const int sx = x + origin_.X, sy = y + origin_.Y;
  for (int ty = d.Top; ty < d.Bottom; ++ty) {
    const Pixel* src = s.Row(ty - sy);
    Pixel* dst = target_.Row(ty);
    for (int tx = d.Left; tx < d.Right; ++tx)
      if (src[tx - sx] >> 24) dst[tx] = src[tx - sx];
  }
}

void Canvas::Overlay(int x, int y, const Surface& s, std::uint8_t opacity) {
  ::Overlay(target_, s, x + origin_.X, y + origin_.Y, opacity, clip_);
}

void Canvas::Grab(Surface& dst, const TRect& r) const {
  TRect s = ToTarget(r);
  if (!s.IsEmpty())
    dst.CopyFrom(target_, s, s.Left - origin_.X - r.Left, s.Top - origin_.Y - r.Top);
}

void Canvas::Tile(const Surface& image, const TRect& area, TPoint offset) {
  const int w = image.Width(), h = image.Height();
  TRect need = ToTarget(area);
  if (w <= 0 || h <= 0 || need.IsEmpty()) return;
  need = need.Offset(-origin_.X, -origin_.Y);
  // First copy at or before the needed area, in steps of the image size.
  auto first = [](int from, int start, int size) {
    int k = (from - start) / size;
    if (start + k * size > from) --k;
    return start + k * size;
  };
  Canvas area_canvas(target_, origin_, area.Offset(origin_.X, origin_.Y).Intersect(clip_), text_);
  for (int y = first(need.Top, offset.Y, h); y < need.Bottom; y += h)
    for (int x = first(need.Left, offset.X, w); x < need.Right; x += w) area_canvas.Draw(x, y, image);
}

TSize Canvas::TextExtent(const TFont& font, std::string_view text) {
  return {text_->Width(font, text), text_->Metrics(font).Height};
}

void Canvas::Text(const TFont& font, int x, int y, std::string_view text, TColor color,
                  const TRect& box) {
  TRect c = ToTarget(box);
  if (!c.IsEmpty()) text_->Render(target_, font, x + origin_.X, y + origin_.Y, text, color, c);
}

void Canvas::Text(const TFont& font, int x, int y, std::string_view text, TColor color) {
  if (!clip_.IsEmpty()) text_->Render(target_, font, x + origin_.X, y + origin_.Y, text, color, clip_);
}

TextLayout Canvas::Layout(const TFont& font, std::string_view text, int maxWidth,
                          unsigned flags) {
  return LayoutText(*text_, font, text, maxWidth, flags);
}

void Canvas::DrawLayout(const TFont& font, const TextLayout& layout, const TRect& r,
                        unsigned flags, TColor color) {
  int y = r.Top;
  const int ascent = text_->Metrics(font).Ascent;
  for (const TextLine& line : layout.Lines) {
    const int x = LineLeft(line, r, flags);
    Text(font, x, y, line.Text, color, r);
    if (line.Underline >= 0) {
      std::string_view s(line.Text);
      const int u0 = x + text_->Width(font, s.substr(0, line.Underline));
      const int u1 = x + text_->Width(font, s.substr(0, line.Underline + 1));
      FillRect(TRect{u0, y + ascent + 1, u1, y + ascent + 2}.Intersect(r), color);
    }
    y += layout.LineHeight;
  }
}
