// Integer geometry of the skin: rectangles keep right and bottom exclusive,
// as every drawing rule of the widgets is written that way.
#pragma once

#include <algorithm>

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  static constexpr TRect FromSize(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(int x, int y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }
  constexpr bool Contains(const TRect& r) const {
    return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom;
  }
  constexpr TRect Offset(int dx, int dy) const {
    return {Left + dx, Top + dy, Right + dx, Bottom + dy};
  }
  constexpr TRect Inflate(int d) const { return {Left - d, Top - d, Right + d, Bottom + d}; }
  constexpr TRect Intersect(const TRect& r) const {
    TRect i{std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right),
            std::min(Bottom, r.Bottom)};
    return i.IsEmpty() ? TRect{} : i;
  }
  constexpr TRect Union(const TRect& r) const {
    if (IsEmpty()) return r;
    if (r.IsEmpty()) return *this;
    return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right),
            std::max(Bottom, r.Bottom)};
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};
