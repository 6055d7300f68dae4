#include <gtest/gtest.h>

#include "skin/Canvas.h"
#include "tests/skin/TestText.h"

namespace {

const TFont kFont{"Trebuchet MS", -11, clBlack, false};

TRect InkBounds(const Surface& s, TColor ink) {
  TRect b;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.ColorAt(x, y) == ink) b = b.Union(TRect{x, y, x + 1, y + 1});
  return b;
}

}  // namespace

TEST(TextFace, MeasuresLinesAndRunsConsistently) {
  TextRenderer& t = TestText();
  FontMetrics m = t.Metrics(kFont);
  EXPECT_GE(m.Height, 11);
  EXPECT_GT(m.Ascent, 0);
  EXPECT_LT(m.Ascent, m.Height);
  EXPECT_EQ(t.Width(kFont, "C#"), t.Width(kFont, "C") + t.Width(kFont, "#"));
  EXPECT_GT(t.Metrics({"Trebuchet MS", -16, clBlack, false}).Height, m.Height);
}

TEST(TextFace, InksOnlyInsideTheLineCellAndTheClip) {
  TextRenderer& t = TestText();
  Surface s(60, 30, ToPixel(0x808080));
  t.Render(s, kFont, 10, 5, "Hg", 0x0000FF, s.Bounds());
  TRect ink = InkBounds(s, 0x0000FF);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Right, 10 + t.Width(kFont, "Hg") + 1);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Bottom, 5 + t.Metrics(kFont).Height);
  // Nothing but ink and the untouched background: glyphs are one bit deep.
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      ASSERT_TRUE(s.ColorAt(x, y) == 0x0000FF || s.ColorAt(x, y) == 0x808080);

  Surface clipped(60, 30, ToPixel(0x808080));
  t.Render(clipped, kFont, 10, 5, "Hg", 0x0000FF, {0, 0, 14, 30});
  EXPECT_LE(InkBounds(clipped, 0x0000FF).Right, 14);
}

// The ink box of a run is where Render puts glyphs, wherever it draws it.
TEST(TextLayout, FindsTheInkOfARunWhereRenderPutsIt) {
  TextRenderer& t = TestText();
  EXPECT_TRUE(InkOf(t, kFont, "").IsEmpty());
  EXPECT_TRUE(InkOf(t, kFont, "   ").IsEmpty());
  Surface s(80, 40, ToPixel(clBlack));
  t.Render(s, kFont, 17, 9, " jW_", clWhite, s.Bounds());
  EXPECT_EQ(InkOf(t, kFont, " jW_").Offset(17, 9), InkBounds(s, clWhite));
}

TEST(TextLayout, BreaksAtSpacesAndKeepsLongWordsWhole) {
  TextRenderer& t = TestText();
  const int word = t.Width(kFont, "Velocity");
  TextLayout l = LayoutText(t, kFont, "Velocity Presets Velocity", word + 2, tfWordBreak);
  ASSERT_EQ(l.Lines.size(), 3u);
  EXPECT_EQ(l.Lines[1].Text, "Presets");
  EXPECT_EQ(l.Height(), 3 * t.Metrics(kFont).Height);
  TextLayout narrow = LayoutText(t, kFont, "Velocity", 3, tfWordBreak);
  ASSERT_EQ(narrow.Lines.size(), 1u);
  EXPECT_EQ(narrow.Width, word);
}

TEST(TextLayout, TurnsAmpersandsIntoAnUnderlinedAccelerator) {
  TextRenderer& t = TestText();
  TextLayout l = LayoutText(t, kFont, "Sa&ve && Quit", 1000, tfLeft);
  ASSERT_EQ(l.Lines.size(), 1u);
  EXPECT_EQ(l.Lines[0].Text, "Save & Quit");
  EXPECT_EQ(l.Lines[0].Underline, 2);
  TextLayout raw = LayoutText(t, kFont, "Sa&ve", 1000, tfNoPrefix);
  EXPECT_EQ(raw.Lines[0].Text, "Sa&ve");
  EXPECT_EQ(raw.Lines[0].Underline, -1);
}

TEST(TextLayout, ExpandsTabsToStopsOfEightSpaces) {
  TextRenderer& t = TestText();
  TextLayout l = LayoutText(t, kFont, "a\tb", 1000, tfExpandTabs);
  EXPECT_EQ(l.Lines[0].Text.find('\t'), std::string::npos);
  EXPECT_GE(l.Lines[0].Width, 8 * t.Width(kFont, " "));
  TextLayout lines = LayoutText(t, kFont, "one\r\ntwo", 1000, tfLeft);
  ASSERT_EQ(lines.Lines.size(), 2u);
  EXPECT_EQ(lines.Lines[0].Text, "one");
}
