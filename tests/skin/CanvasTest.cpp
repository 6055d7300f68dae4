#include <gtest/gtest.h>

#include "skin/Canvas.h"

TEST(Canvas, DrawsInOwnCoordinatesAndStaysInsideItsClip) {
  Surface s(10, 10);
  Canvas c(s, {3, 3}, TRect{3, 3, 6, 6}, nullptr);
  c.FillRect({-5, -5, 20, 20}, 0xFF0000);
  EXPECT_EQ(s.ColorAt(3, 3), 0xFF0000u);
  EXPECT_EQ(s.ColorAt(5, 5), 0xFF0000u);
  EXPECT_EQ(s.ColorAt(2, 3), 0u);
  EXPECT_EQ(s.ColorAt(6, 6), 0u);
}

TEST(Canvas, Frame3DGivesBothOffCornersToTheDarkSide) {
  Surface s(4, 4);
  Canvas c(s, nullptr);
  c.Frame3D({0, 0, 4, 4}, 0xFFFFFF, 0x808080, 1);
  EXPECT_EQ(s.ColorAt(0, 0), 0xFFFFFFu);
  EXPECT_EQ(s.ColorAt(2, 0), 0xFFFFFFu);
  EXPECT_EQ(s.ColorAt(3, 0), 0x808080u);
  EXPECT_EQ(s.ColorAt(0, 3), 0x808080u);
  EXPECT_EQ(s.ColorAt(3, 3), 0x808080u);
  EXPECT_EQ(s.ColorAt(1, 1), 0u);
}

TEST(Canvas, LineStopsBeforeItsEndPoint) {
  Surface s(5, 1);
  Canvas c(s, nullptr);
  c.Line(0, 0, 4, 0, 0xFFFFFF);
  EXPECT_EQ(s.ColorAt(3, 0), 0xFFFFFFu);
  EXPECT_EQ(s.ColorAt(4, 0), 0u);
}

TEST(Canvas, TilesFromTheOffsetOverTheWholeArea) {
  Surface tile(2, 2);
  tile.Set(0, 0, ToPixel(0x0000FF));
  Surface s(5, 5);
  Canvas c(s, nullptr);
  c.Tile(tile, s.Bounds(), {-1, 0});
  // Copies start at x = -1, 1, 3 and y = 0, 2, 4.
  EXPECT_EQ(s.ColorAt(1, 0), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(3, 2), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(3, 4), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(0, 0), 0u);
  EXPECT_EQ(s.ColorAt(2, 0), 0u);
}

TEST(Canvas, PieFillsOnlyItsSweep) {
  Surface s(21, 21);
  Canvas c(s, nullptr);
  // From the radial through the right to the one through the top: the
  // upper right quarter, swept counter-clockwise.
  c.Pie({0, 0, 21, 21}, {20, 10}, {10, 0}, 0xFFFFFF, 0xFF0000);
  EXPECT_EQ(s.ColorAt(14, 6), 0xFF0000u);
  EXPECT_EQ(s.ColorAt(6, 6), 0u);
  EXPECT_EQ(s.ColorAt(14, 14), 0u);
  EXPECT_EQ(s.ColorAt(0, 0), 0u);  // outside the ellipse
}
