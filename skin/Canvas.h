// Drawing onto a surface in a control's own coordinates: everything is
// moved by the origin, scaled to device pixels and clipped to the clip
// rectangle (in surface pixels), so a control never draws outside what it
// may touch. Surfaces handed to the canvas (Draw, Grab, Tile...) hold device
// pixels; positions and rectangles are the control's own, logical ones.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/Font.h"
#include "skin/Scale.h"
#include "skin/Surface.h"
#include "skin/TextLayout.h"
#include "skin/TextRenderer.h"

class Canvas {
public:
  // At 100 %: the control's (0, 0) lies on the surface's `origin`.
  Canvas(Surface& target, TPoint origin, const TRect& clip, TextRenderer* text);
  // At `scale`: the control's (0, 0) lies at logical `origin` of the form,
  // and the surface's pixel (0, 0) is the form's device pixel `base`.
  Canvas(Surface& target, Scale scale, TPoint origin, TPoint base, const TRect& clip,
         TextRenderer* text);
  // A canvas covering a whole surface, for off-screen pictures.
  Canvas(Surface& target, TextRenderer* text);

  const Scale& DeviceScale() const { return scale_; }
  // Where the rectangle lies on the surface, in its pixels.
  TRect DeviceRect(const TRect& r) const;
  TSize DeviceSize(const TRect& r) const;
  // A canvas in the same coordinates onto `s`, an off-screen picture of
  // the rectangle `r` (sized DeviceSize(r)).
  Canvas Within(Surface& s, const TRect& r) const;

  void SetPixel(int x, int y, TColor c);
  void FillRect(const TRect& r, TColor c);
  // A 3-D frame `width` pixels thick along the inside of `r`, `inset`
  // pixels in from its edge: topLeft on the top and left edges,
  // bottomRight on the others. At every scale its outer edge is r's device
  // edge (shifted by Length(inset)) and it is Length(width) device pixels
  // thick on every side, so r's inside is filled first and the frame drawn
  // over it: the logical inside r.Inflate(-width) may reach under the frame.
  void Frame3D(const TRect& r, TColor topLeft, TColor bottomRight, int width, int inset = 0);
  // A horizontal or vertical line covering `r` that belongs to no box, on
  // the device pixels Scale::LineRect gives it.
  void FillLine(const TRect& r, TColor c);
  // A line from (x0, y0) up to, but not including, (x1, y1).
  void Line(int x0, int y0, int x1, int y1, TColor c);
  // The ellipse inscribed in the box (right and bottom exclusive): a
  // one-pixel outline in `pen`, the inside in `brush`.
  void Ellipse(const TRect& box, TColor pen, TColor brush);
  // The slice of that ellipse swept counter-clockwise from the radial
  // through `start` to the radial through `end`.
  void Pie(const TRect& box, TPoint start, TPoint end, TColor pen, TColor brush);

  void Draw(int x, int y, const Surface& s);
  // As Draw, skipping pixels whose alpha is 0.
  void DrawMasked(int x, int y, const Surface& s);
  void Overlay(int x, int y, const Surface& s, std::uint8_t opacity);
  // Copies what lies under `r` into dst at (0, 0).
  void Grab(Surface& dst, const TRect& r) const;
  // Repeats the image over `area`, one copy starting at `offset`; only the
  // copies that meet the clip are drawn.
  void Tile(const Surface& image, const TRect& area, TPoint offset);

  // Measured at 100 %.
  TSize TextExtent(const TFont& font, std::string_view text);
  // Draws text in `color` (the background stays), clipped to `box` too.
  void Text(const TFont& font, int x, int y, std::string_view text, TColor color,
            const TRect& box);
  void Text(const TFont& font, int x, int y, std::string_view text, TColor color);
  // Laid out in device pixels with the font at the device size.
  TextLayout Layout(const TFont& font, std::string_view text, int maxWidth, unsigned flags);
  // Draws lines that Layout laid out, aligned inside `r` as `flags` say,
  // then moved by `nudge` device pixels.
  void DrawLayout(const TFont& font, const TextLayout& layout, const TRect& r, unsigned flags,
                  TColor color, TPoint nudge = {});

private:
  TPoint Device(int x, int y) const;
  void FillDevice(const TRect& d, Pixel p) { target_.Fill(d.Intersect(clip_), p); }
  TRect ToTarget(const TRect& r) const { return DeviceRect(r).Intersect(clip_); }
  void Put(TPoint at, const Surface& s, bool masked);

  Surface& target_;
  Scale scale_;
  TPoint origin_;
  TPoint base_;
  TRect clip_;
  TextRenderer* text_;
};
