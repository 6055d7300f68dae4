#include <gtest/gtest.h>

#include <vector>

#include "tests/widgets/FormFixture.h"
#include "widgets/crDesign.h"

TEST(PaintingStyles, AreNeverEmptyWhenRead) {
  TcrPaintingStyles styles;
  EXPECT_EQ(styles.Count(), 1);
  TcrPaintingStyle& d = styles.DefaultStyle();
  EXPECT_TRUE(d.Beveled());
  EXPECT_EQ(d.FaceColor(), clBtnFace);
  EXPECT_EQ(d.HighlightColor(), clBtnHighlight);
  EXPECT_EQ(d.ShadowColor(), clBtnShadow);
  EXPECT_EQ(d.BigFont().Name, "MS Sans Serif");
  EXPECT_EQ(d.BigFont().Height, -16);
  EXPECT_EQ(d.SmallFont().Name, "Verdana");
  EXPECT_EQ(d.SmallFont().Height, -11);
  EXPECT_EQ(d.SmallTextX(), 2);
  EXPECT_EQ(d.SmallTextY(), 1);
  EXPECT_EQ(d.DisplayName(), "Default (0th) style");
  styles.Clear();
  EXPECT_EQ(styles.Count(), 1);
}

TEST(PaintingStyles, NewItemsCopyItemZeroButNotItsName) {
  TcrPaintingStyles styles;
  styles.Items(0).SetName("Default Empty");
  styles.Items(0).SetFaceColor(0xC0C6BB);
  TcrPaintingStyle& s = styles.Add();
  EXPECT_EQ(s.FaceColor(), 0xC0C6BBu);
  EXPECT_TRUE(s.Beveled());
  EXPECT_EQ(s.Name(), "");
  EXPECT_EQ(s.DisplayName(), "Style no.1");
  EXPECT_EQ(styles.Items(0).DisplayName(), "Default Empty");
}

TEST(PaintingStyles, LookUpOutOfRangeIndexesAsItemZero) {
  TcrPaintingStyles styles;
  styles.Add();
  EXPECT_EQ(&styles.Style(-1), &styles.Items(0));
  EXPECT_EQ(&styles.Style(2), &styles.Items(0));
  EXPECT_EQ(&styles.Style(1), &styles.Items(1));
}

TEST(PaintingStyles, StoreNegativeTextOffsetsAsZero) {
  TcrPaintingStyles styles;
  styles.Items(0).SetSmallTextX(-4);
  styles.Items(0).SetSmallTextY(-1);
  EXPECT_EQ(styles.Items(0).SmallTextX(), 0);
  EXPECT_EQ(styles.Items(0).SmallTextY(), 0);
}

TEST(PaintingStyles, ReportBatchedChangesOnce) {
  std::vector<TcrPaintingStyle*> changes;
  TcrPaintingStyles styles([&](TcrPaintingStyle* s) { changes.push_back(s); });
  TcrPaintingStyle& s = styles.Items(0);
  s.BeginUpdate();
  s.SetFaceColor(1);
  s.SetShadowColor(2);
  EXPECT_TRUE(changes.empty());
  s.EndUpdate();
  s.SetShadowColor(2);  // unchanged
  EXPECT_EQ(changes, std::vector<TcrPaintingStyle*>{&s});
  styles.BeginUpdate();
  s.SetFaceColor(3);
  styles.Add();
  styles.EndUpdate();
  EXPECT_EQ(changes, (std::vector<TcrPaintingStyle*>{&s, nullptr}));
}

class PaintSettingsTest : public FormFixture {};

TEST_F(PaintSettingsTest, LinkedGridsPaintWithTheSharedStyles) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  int wholeChanges = 0;
  g.OnPaintStylesChanged = [&](TControl*, TcrPaintingStyle* s) { wholeChanges += s == nullptr; };
  {
    TcrPaintSettings settings;
    settings.StylesCollection().Items(0).SetFaceColor(0x123456);
    g.SetPaintSettings(&settings);
    EXPECT_EQ(wholeChanges, 1);
    Settle();
    EXPECT_EQ(At(20, 20), 0x123456u);
    settings.StylesCollection().Items(0).SetFaceColor(0x654321);
    Settle();
    EXPECT_EQ(At(20, 20), 0x654321u);
  }
  // The settings are gone: the grid is back on its own styles.
  EXPECT_EQ(g.PaintSettings(), nullptr);
  EXPECT_EQ(wholeChanges, 2);
  Settle();
  EXPECT_EQ(At(20, 20), clBtnFace);
}
