// Logical to device pixels and back at every offered scale, and a canvas
// that draws at 150 % and 200 %.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "skin/Canvas.h"
#include "skin/Scale.h"

namespace {

constexpr int kScales[] = {100, 150, 200};

}  // namespace

// Neighbouring logical pixels get neighbouring device spans: each at least
// one pixel, none overlapping, none leaving a gap; a device pixel maps back
// to the logical pixel whose span holds it.
TEST(Scale, EveryLogicalPixelOwnsAnUnbrokenDeviceSpan) {
  for (int percent : kScales) {
    const Scale scale(percent);
    for (int v = -60; v < 900; ++v) {
      const int from = scale.ToDevice(v), to = scale.ToDevice(v + 1);
      ASSERT_GE(to - from, 1) << percent << "% at " << v;
      ASSERT_LE(to - from, (percent + 99) / 100) << percent << "% at " << v;
      for (int d = from; d < to; ++d) ASSERT_EQ(scale.ToLogical(d), v) << percent << "% at " << d;
    }
  }
}

// The window's sizes, and halves rounding up the same way on every edge.
TEST(Scale, MapsTheWindowAndRoundsHalvesUp) {
  struct Case {
    int percent, logical, device;
  };
  for (const Case& c : {Case{100, 746, 746}, Case{150, 746, 1119}, Case{200, 746, 1492},
                        Case{100, 321, 321}, Case{150, 321, 482}, Case{200, 321, 642},
                        Case{150, 1, 2}, Case{150, -1, -1}, Case{150, -3, -4}})
    EXPECT_EQ(Scale(c.percent).ToDevice(c.logical), c.device) << c.percent << "% " << c.logical;
}

TEST(Scale, OffersOnlyTheThreeScalesAndScalesFontsKeepingTheSign) {
  EXPECT_TRUE(Scale::Offered(150));
  for (int refused : {0, 50, 125, 175, 300, -100}) EXPECT_FALSE(Scale::Offered(refused)) << refused;
  EXPECT_EQ(Scale(150).Font({"Trebuchet MS", -11}).Height, -17);
  EXPECT_EQ(Scale(200).Font({"Trebuchet MS", 8}).Height, 16);
  EXPECT_EQ(Scale(200).Font({"Trebuchet MS", 8}).Name, "Trebuchet MS");
  EXPECT_EQ(Scale(150).LogicalCeil(31), 21) << "a box that holds 31 device pixels";
}

// Two rectangles that meet at 100 % meet at 150 %, whatever the origin, and
// a picture drawn at one's corner lands on its first device pixel.
TEST(Canvas, RectanglesThatMeetStillMeetAt150Percent) {
  for (int origin = 0; origin < 4; ++origin) {
    Surface s(20, 4);
    Canvas c(s, Scale(150), {origin, 0}, {0, 0}, s.Bounds(), nullptr);
    c.FillRect({0, 0, 3, 1}, 0xFF0000);
    c.FillRect({3, 0, 5, 1}, 0x0000FF);
    const int first = Scale(150).ToDevice(origin), mid = Scale(150).ToDevice(origin + 3),
              last = Scale(150).ToDevice(origin + 5);
    for (int x = 0; x < 20; ++x) {
      const TColor want = x < first ? 0 : x < mid ? 0xFF0000 : x < last ? 0x0000FF : 0;
      EXPECT_EQ(s.ColorAt(x, 0), want) << "origin " << origin << " x " << x;
    }
  }
}

// An off-screen canvas (a control's own picture) rounds as the form does:
// what it draws lands on the same device pixels once the picture is copied.
TEST(Canvas, AnOffScreenPictureRoundsLikeTheFormBeneathIt) {
  const Scale scale(150);
  Surface form(30, 10);
  Canvas onForm(form, scale, {5, 1}, {0, 0}, form.Bounds(), nullptr);
  Surface own(onForm.DeviceSize({0, 0, 7, 3}).cx, onForm.DeviceSize({0, 0, 7, 3}).cy);
  Canvas inside = onForm.Within(own, {0, 0, 7, 3});
  inside.FillRect({1, 1, 2, 2}, 0x00FF00);
  onForm.Draw(0, 0, own);
  Surface direct(30, 10);
  Canvas(direct, scale, {5, 1}, {0, 0}, direct.Bounds(), nullptr).FillRect({1, 1, 2, 2}, 0x00FF00);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(form.ColorAt(x, y), direct.ColorAt(x, y)) << x << "," << y;
  EXPECT_EQ(onForm.DeviceRect({1, 1, 2, 2}), (TRect{9, 3, 11, 5}));
}

// Tiling steps by the device image's size from the offset's device pixel.
TEST(Canvas, TilesDeviceImagesFromTheScaledOffset) {
  Surface tile(3, 3);
  tile.Set(0, 0, ToPixel(0x0000FF));
  Surface s(12, 6);
  Canvas c(s, Scale(200), {0, 0}, {0, 0}, s.Bounds(), nullptr);
  c.Tile(tile, {0, 0, 5, 3}, {1, 0});
  // Copies start at device x = -1, 2, 5, 8 and y = 0, 3.
  EXPECT_EQ(s.ColorAt(2, 0), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(5, 3), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(8, 0), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(3, 0), 0u);
  EXPECT_EQ(s.ColorAt(11, 0), 0u) << "past the area";
}

// A free line, vertical or horizontal, is as thick as a line of its width
// should be wherever it lies, its middle within half a device pixel of
// where its logical middle maps, and along its length it follows the edges.
TEST(Scale, AFreeLineKeepsItsThicknessAndItsMiddleWhereverItLies) {
  for (int percent : kScales) {
    const Scale scale(percent);
    for (int w : {1, 2, 3})
      for (int v = -9; v < 60; ++v) {
        const TRect vertical = scale.LineRect({v, 4, v + w, 30});
        const TRect horizontal = scale.LineRect({4, v, 30, v + w});
        for (const auto& [across, from, to] :
             {std::tuple{vertical.Width(), vertical.Left, vertical.Right},
              std::tuple{horizontal.Height(), horizontal.Top, horizontal.Bottom}}) {
          ASSERT_EQ(across, scale.Length(w)) << percent << "% " << w << " at " << v;
          // Twice the device middle against twice the logical middle scaled.
          ASSERT_LE(std::abs(100 * (from + to) - (2 * v + w) * percent), 100)
              << percent << "% " << w << " at " << v;
        }
        ASSERT_EQ(vertical.Top, scale.ToDevice(4));
        ASSERT_EQ(horizontal.Right, scale.ToDevice(30));
        if (scale.IsUnit()) {
          ASSERT_EQ(vertical, (TRect{v, 4, v + w, 30}));
        }
      }
  }
}

// A frame starts at its box's device edge and is as thick as a line of its
// width on every side, wherever the box lies; the inside filled first shows
// right up to it.
TEST(Canvas, AFrameIsEquallyThickOnEverySideWhereverItsBoxLies) {
  constexpr TColor kInside = 0x0000FF, kLight = 0xFFFFFF, kDark = 0x808080;
  for (int percent : kScales)
    for (int width : {1, 3})
      for (int origin = 0; origin < 4; ++origin) {
        const Scale scale(percent);
        Surface s(50, 50);
        Canvas c(s, scale, {origin, origin + 1}, {0, 0}, s.Bounds(), nullptr);
        const TRect box{1, 2, 16, 15};
        c.FillRect(box, kInside);
        c.Frame3D(box, kLight, kDark, width);
        const TRect d = c.DeviceRect(box);
        const int midX = (d.Left + d.Right) / 2, midY = (d.Top + d.Bottom) / 2;
        auto run = [&](int x, int y, int dx, int dy, TColor color) {
          int n = 0;
          for (; s.Bounds().Contains(x, y) && s.ColorAt(x, y) == color; x += dx, y += dy) ++n;
          return n;
        };
        const std::string where = std::to_string(percent) + "% width " + std::to_string(width) +
                                  " origin " + std::to_string(origin);
        EXPECT_EQ(run(d.Left, midY, 1, 0, kLight), scale.Length(width)) << where << " left";
        EXPECT_EQ(run(midX, d.Top, 0, 1, kLight), scale.Length(width)) << where << " top";
        EXPECT_EQ(run(d.Right - 1, midY, -1, 0, kDark), scale.Length(width)) << where << " right";
        EXPECT_EQ(run(midX, d.Bottom - 1, 0, -1, kDark), scale.Length(width)) << where << " bottom";
        EXPECT_EQ(s.ColorAt(d.Left + scale.Length(width), midY), kInside) << where;
        EXPECT_EQ(s.ColorAt(d.Left - 1, midY), 0u) << where << " outside";
        EXPECT_EQ(s.ColorAt(midX, d.Bottom), 0u) << where << " outside";
      }
}
