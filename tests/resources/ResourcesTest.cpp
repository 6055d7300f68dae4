#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

bool allOpaque(const Bitmap& b) {
  return std::all_of(b.bgra.begin(), b.bgra.end(), [](std::uint32_t p) { return p >> 24 == 0xFF; });
}

// Distance between two colours, the largest of the three channel differences.
int distance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16})
    d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                             static_cast<int>((b >> shift) & 0xFF)));
  return d;
}

// Pixels of the image's middle band that stand out from the colour at (x, y).
int pixelsStandingOutFrom(const Bitmap& b, int x, int y) {
  std::uint32_t face = b.at(x, y);
  int count = 0;
  for (int row = b.height / 4; row < b.height * 3 / 4; ++row)
    for (int col = 0; col < b.width; ++col)
      if (distance(b.at(col, row), face) > 64) ++count;
  return count;
}

}  // namespace

TEST(SkinImages, EachHasTheSizeOfItsPlaceInTheWindow) {
  const int sizes[skinImageCount][2] = {{850, 350}, {88, 21},  {88, 21}, {88, 21},
                                        {108, 21},  {108, 21}, {8, 9}};
  for (int i = 0; i < skinImageCount; ++i) {
    Bitmap image = skinImage(i);
    EXPECT_EQ(image.width, sizes[i][0]) << "image " << i;
    EXPECT_EQ(image.height, sizes[i][1]) << "image " << i;
    EXPECT_EQ(image.bgra.size(), static_cast<std::size_t>(sizes[i][0]) * sizes[i][1]);
    EXPECT_TRUE(allOpaque(image)) << "image " << i;
  }
}

TEST(SkinImages, IndexesOutsideTheListGiveNothing) {
  EXPECT_TRUE(skinImage(-1).empty());
  EXPECT_TRUE(skinImage(skinImageCount).empty());
}

TEST(SkinImages, ButtonFacesCarryCrispCaptions) {
  for (int i = 1; i <= 5; ++i) {
    Bitmap button = skinImage(i);
    // A face in the window's frame colour, outlined in its line colour: the
    // outline comes back exactly, as nothing is lost in storing it.
    EXPECT_EQ(button.at(0, button.height / 2) & 0xFFFFFF, 0x646464u) << "image " << i;
    EXPECT_LT(distance(button.at(3, button.height / 2), 0xA8B0A0), 16) << "image " << i;
    EXPECT_GT(pixelsStandingOutFrom(button, 3, button.height / 2), 20) << "image " << i;
  }
}

TEST(SkinImages, SelectorIsADarkMarkerOnTheRowAnchor) {
  Bitmap selector = skinImage(6);
  EXPECT_EQ(selector.at(0, 0) & 0xFFFFFF, 0xA8B0A0u);
  EXPECT_GT(distance(selector.at(6, 4), selector.at(0, 0)), 64);
}

TEST(SkinImages, BackgroundIsAQuietTextureInTheFrameColour) {
  Bitmap background = skinImage(0);
  for (int y : {0, 175, 349})
    for (int x : {0, 425, 849})
      EXPECT_LT(distance(background.at(x, y), 0xFFA8B0A0u), 24) << x << ", " << y;
}

TEST(AboutPicture, DecodesAtItsBoxSizeWithTextOnIt) {
  Bitmap about = aboutPicture();
  ASSERT_EQ(about.width, 510);
  ASSERT_EQ(about.height, 191);
  EXPECT_TRUE(allOpaque(about));
  // The panel colour around the text, dark ink in the title.
  EXPECT_LT(distance(about.at(255, 185), 0xFFB7BEB1u), 12);
  EXPECT_GT(pixelsStandingOutFrom(about, 255, 185), 2000);
}

TEST(AboutPicture, SwatchesShowTheCellStylesTheyExplain) {
  Bitmap about = aboutPicture();
  ASSERT_FALSE(about.empty());
  // Step, tied and re-struck cells, as the note grid paints them.
  EXPECT_LE(distance(about.at(20, 102), 0x959A8F), 4);
  EXPECT_LE(distance(about.at(20, 118), 0x80A888), 4);
  EXPECT_LE(distance(about.at(20, 134), 0x578060), 4);
}

// A button's outline is as thick as the editor's own lines at that scale:
// one pixel at 100 %, two at 150 % and at 200 %, on every side.
TEST(SkinImages, ButtonOutlinesAreAsThickAsTheEditorsLines) {
  for (const auto& [percent, thick] : {std::pair{100, 1}, std::pair{150, 2}, std::pair{200, 2}})
    for (int i = 1; i <= 5; ++i) {
      const Bitmap button = skinImage(i, percent);
      const int midX = button.width / 2, midY = button.height / 2;
      const int last[4] = {0, 0, button.width - 1, button.height - 1};
      for (int side = 0; side < 4; ++side) {
        // Inwards from the middle of each side: outline, then no more outline.
        auto at = [&](int depth) {
          switch (side) {
            case 0: return button.at(depth, midY);
            case 1: return button.at(midX, depth);
            case 2: return button.at(last[2] - depth, midY);
            default: return button.at(midX, last[3] - depth);
          }
        };
        for (int depth = 0; depth < thick; ++depth)
          EXPECT_EQ(at(depth) & 0xFFFFFF, 0x646464u)
              << "image " << i << " at " << percent << " %, side " << side << ", depth " << depth;
        EXPECT_NE(at(thick) & 0xFFFFFF, 0x646464u)
            << "image " << i << " at " << percent << " %, side " << side;
      }
    }
}
