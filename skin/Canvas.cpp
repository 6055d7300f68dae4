#include "skin/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "skin/Overlay.h"

Canvas::Canvas(Surface& target, TPoint origin, const TRect& clip, TextRenderer* text)
    : Canvas(target, Scale(), origin, {0, 0}, clip, text) {}

Canvas::Canvas(Surface& target, Scale scale, TPoint origin, TPoint base, const TRect& clip,
               TextRenderer* text)
    : target_(target), scale_(scale), origin_(origin), base_(base),
      clip_(clip.Intersect(target.Bounds())), text_(text) {}

Canvas::Canvas(Surface& target, TextRenderer* text)
    : Canvas(target, {0, 0}, target.Bounds(), text) {}

TPoint Canvas::Device(int x, int y) const {
  return {scale_.ToDevice(origin_.X + x) - base_.X, scale_.ToDevice(origin_.Y + y) - base_.Y};
}

TRect Canvas::DeviceRect(const TRect& r) const {
  const TPoint a = Device(r.Left, r.Top), b = Device(r.Right, r.Bottom);
  return {a.X, a.Y, b.X, b.Y};
}

TSize Canvas::DeviceSize(const TRect& r) const {
  const TRect d = DeviceRect(r);
  return {d.Width(), d.Height()};
}

Canvas Canvas::Within(Surface& s, const TRect& r) const {
  const TPoint at = Device(r.Left, r.Top);
  return Canvas(s, scale_, origin_, {at.X + base_.X, at.Y + base_.Y}, s.Bounds(), text_);
}

void Canvas::SetPixel(int x, int y, TColor c) {
  if (!scale_.IsUnit()) {
    FillRect({x, y, x + 1, y + 1}, c);
    return;
  }
  x += origin_.X - base_.X;
  y += origin_.Y - base_.Y;
  if (clip_.Contains(x, y)) target_.Set(x, y, ToPixel(c));
}

void Canvas::FillRect(const TRect& r, TColor c) { FillDevice(DeviceRect(r), ToPixel(c)); }

void Canvas::Frame3D(const TRect& r, TColor topLeft, TColor bottomRight, int width, int inset) {
  const Pixel light = ToPixel(topLeft), dark = ToPixel(bottomRight);
  TRect ring = DeviceRect(r).Inflate(-scale_.Length(inset));
  for (int n = scale_.Length(inset + width) - scale_.Length(inset); n > 0 && !ring.IsEmpty(); --n) {
    // The top-right and bottom-left corner pixels belong to the dark side.
    FillDevice({ring.Left, ring.Top, ring.Right - 1, ring.Top + 1}, light);
    FillDevice({ring.Left, ring.Top, ring.Left + 1, ring.Bottom - 1}, light);
    FillDevice({ring.Right - 1, ring.Top, ring.Right, ring.Bottom}, dark);
    FillDevice({ring.Left, ring.Bottom - 1, ring.Right, ring.Bottom}, dark);
    ring = ring.Inflate(-1);
  }
}

void Canvas::FillLine(const TRect& r, TColor c) {
  FillDevice(scale_.LineRect(r.Offset(origin_.X, origin_.Y)).Offset(-base_.X, -base_.Y), ToPixel(c));
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

void Canvas::Put(TPoint at, const Surface& s, bool masked) {
  const TRect d = s.Bounds().Offset(at.X, at.Y).Intersect(clip_);
  if (d.IsEmpty()) return;
  if (!masked) {
    target_.CopyFrom(s, d.Offset(-at.X, -at.Y), d.Left, d.Top);
    return;
  }
  for (int ty = d.Top; ty < d.Bottom; ++ty) {
    const Pixel* src = s.Row(ty - at.Y);
    Pixel* dst = target_.Row(ty);
    for (int tx = d.Left; tx < d.Right; ++tx)
      if (src[tx - at.X] >> 24) dst[tx] = src[tx - at.X];
  }
}

void Canvas::Draw(int x, int y, const Surface& s) { Put(Device(x, y), s, false); }

void Canvas::DrawMasked(int x, int y, const Surface& s) { Put(Device(x, y), s, true); }

void Canvas::Overlay(int x, int y, const Surface& s, std::uint8_t opacity) {
  const TPoint at = Device(x, y);
  ::Overlay(target_, s, at.X, at.Y, opacity, clip_);
}

void Canvas::Grab(Surface& dst, const TRect& r) const {
  const TRect whole = DeviceRect(r);
  const TRect s = whole.Intersect(clip_);
  if (!s.IsEmpty()) dst.CopyFrom(target_, s, s.Left - whole.Left, s.Top - whole.Top);
}

void Canvas::Tile(const Surface& image, const TRect& area, TPoint offset) {
  const int w = image.Width(), h = image.Height();
  const TRect need = ToTarget(area);
  if (w <= 0 || h <= 0 || need.IsEmpty()) return;
  const TPoint start = Device(offset.X, offset.Y);
  // First copy at or before the needed area, in steps of the image size.
  auto first = [](int from, int begin, int size) {
    int k = (from - begin) / size;
    if (begin + k * size > from) --k;
    return begin + k * size;
  };
  Canvas inside(target_, {0, 0}, need, text_);
  for (int y = first(need.Top, start.Y, h); y < need.Bottom; y += h)
    for (int x = first(need.Left, start.X, w); x < need.Right; x += w) inside.Put({x, y}, image, false);
}

TSize Canvas::TextExtent(const TFont& font, std::string_view text) {
  return {text_->Width(font, text), text_->Metrics(font).Height};
}

void Canvas::Text(const TFont& font, int x, int y, std::string_view text, TColor color,
                  const TRect& box) {
  const TRect c = ToTarget(box);
  const TPoint at = Device(x, y);
  if (!c.IsEmpty()) text_->Render(target_, scale_.Font(font), at.X, at.Y, text, color, c);
}

void Canvas::Text(const TFont& font, int x, int y, std::string_view text, TColor color) {
  const TPoint at = Device(x, y);
  if (!clip_.IsEmpty()) text_->Render(target_, scale_.Font(font), at.X, at.Y, text, color, clip_);
}

TextLayout Canvas::Layout(const TFont& font, std::string_view text, int maxWidth,
                          unsigned flags) {
  return LayoutText(*text_, scale_.Font(font), text, scale_.Length(maxWidth), flags);
}

void Canvas::DrawLayout(const TFont& font, const TextLayout& layout, const TRect& r,
                        unsigned flags, TColor color, TPoint nudge) {
  const TFont device = scale_.Font(font);
  const TRect box = DeviceRect(r);
  const TRect clip = box.Intersect(clip_);
  if (clip.IsEmpty()) return;
  const int ascent = text_->Metrics(device).Ascent;
  for (std::size_t i = 0; i < layout.Lines.size(); ++i) {
    const TextLine& line = layout.Lines[i];
    const TPoint at = LineOrigin(layout, i, box.Offset(nudge.X, nudge.Y), flags);
    text_->Render(target_, device, at.X, at.Y, line.Text, color, clip);
    if (line.Underline >= 0) {
      std::string_view s(line.Text);
      const int u0 = at.X + text_->Width(device, s.substr(0, line.Underline));
      const int u1 = at.X + text_->Width(device, s.substr(0, line.Underline + 1));
      const int thick = std::max(scale_.Length(1), 1);
      target_.Fill(TRect{u0, at.Y + ascent + thick, u1, at.Y + ascent + 2 * thick}.Intersect(clip),
                   ToPixel(color));
    }
  }
}
