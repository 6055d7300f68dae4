// Drawing onto a surface in a control's own coordinates: everything is
// moved by the origin and clipped to the clip rectangle (in surface
// coordinates), so a control never draws outside what it may touch.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/Font.h"
#include "skin/Surface.h"
#include "skin/TextLayout.h"
#include "skin/TextRenderer.h"

class Canvas {
public:
  Canvas(Surface& target, TPoint origin, const TRect& clip, TextRenderer* text);
  // A canvas covering a whole surface, for off-screen pictures.
  Canvas(Surface& target, TextRenderer* text);

  void SetPixel(int x, int y, TColor c);
  void FillRect(const TRect& r, TColor c);
  // A 3-D frame `width` pixels thick: topLeft on the top and left edges,
  // bottomRight on the others; `r` shrinks by the frame.
  void Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width);
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

  TSize TextExtent(const TFont& font, std::string_view text);
  // Draws text in `color` (the background stays), clipped to `box` too.
  void Text(const TFont& font, int x, int y, std::string_view text, TColor color,
            const TRect& box);
  void Text(const TFont& font, int x, int y, std::string_view text, TColor color);
  TextLayout Layout(const TFont& font, std::string_view text, int maxWidth, unsigned flags);
  // Draws laid-out lines from the top of `r`, aligned inside it.
  void DrawLayout(const TFont& font, const TextLayout& layout, const TRect& r, unsigned flags,
                  TColor color);

private:
  TRect ToTarget(const TRect& r) const { return r.Offset(origin_.X, origin_.Y).Intersect(clip_); }

  Surface& target_;
  TPoint origin_;
  TRect clip_;
  TextRenderer* text_;
};
