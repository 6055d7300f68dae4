// Which scale a screen's density calls for, and the scale line of the
// settings text: read when it is sound, ignored when it is not, rewritten
// without disturbing the other lines.
#include <gtest/gtest.h>

#include "editor/ScaleSettings.h"

TEST(ScaleSettings, TheScreensDensityRoundsToTheNearestOfferedScale) {
  struct Case {
    double dpi;
    int scale;
  };
  const Case cases[] = {
      {0, 100},   {-5, 100},  {72, 100},  {96, 100},  {110, 100}, {119.9, 100},
      {120, 150},  // 125 %: halfway, the larger
      {144, 150}, {160, 150}, {167.9, 150},
      {168, 200},  // 175 %: halfway again
      {192, 200}, {288, 200}, {1e9, 200},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleForDpi(c.dpi), c.scale) << c.dpi << " dpi";
}

TEST(ScaleSettings, OnlyASoundScaleLineCountsTheLastOneWinning) {
  struct Case {
    const char* text;
    std::optional<int> scale;
  };
  const Case cases[] = {
      {"scale=150\n", 150},
      {"scale=200", 200},
      {"  scale = 100 \r\n", 100},
      {"# chosen in the editor\ntheme=dark\nscale=200\n", 200},
      {"scale=100\nscale=200\n", 200},
      {"scale=150\nscale=abc\n", std::nullopt},
      {"scale=125\n", std::nullopt},
      {"scale=\n", std::nullopt},
      {"scale=150%\n", std::nullopt},
      {"scale=4294967446\n", std::nullopt},  // 150 once wrapped to 32 bits
      {"scales=150\n", std::nullopt},
      {"150\n", std::nullopt},
      {"", std::nullopt},
      {"\x89PNG\r\n\x1a\n\0\0", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleInSettings(c.text), c.scale) << c.text;
}

TEST(ScaleSettings, ANewScaleReplacesTheScaleLineAndKeepsTheRest) {
  EXPECT_EQ(SettingsWithScale("", 150), "scale=150\n");
  EXPECT_EQ(SettingsWithScale("scale=100\n", 200), "scale=200\n");
  EXPECT_EQ(SettingsWithScale("theme=dark\nscale=100\nscale=150\nkeys=on", 200),
            "theme=dark\nscale=200\nkeys=on\n");
  EXPECT_EQ(SettingsWithScale("theme=dark\n", 150), "theme=dark\nscale=150\n");
  EXPECT_EQ(ScaleInSettings(SettingsWithScale("scale=oops\n", 150)), 150);
}
