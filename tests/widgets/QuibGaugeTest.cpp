#include <string>
#include <vector>

#include "tests/widgets/FormFixture.h"
#include "widgets/quibGauges.h"

namespace {

constexpr TColor kFore = 0x64695F, kBack = 0xC0C6BB;

class QuibGaugeTest : public FormFixture {
protected:
  // A lane gauge as the editor makes it.
  TQuibGauge& LaneGauge(bool centred) {
    auto& g = form.Add<TQuibGauge>("QuibGauge1", 0, 0, 15, 64);
    g.SetKind(TQuibGaugeKind::gkVerticalBar);
    g.SetMaxValue(64);
    g.SetShowText(false);
    g.SetBorderStyle(TBorderStyle::bsNone);
    g.SetForeColor(kFore);
    g.SetBackColor(kBack);
    g.SetCenterOrigin(centred);
    return g;
  }
  // The pixel rows of column 7 in the bar colour, as "first-last".
  std::string BarRows() {
    Settle();
    int first = -1, last = -1;
    for (int y = 0; y < 64; ++y)
      if (At(7, y) == kFore) {
        if (first < 0) first = y;
        last = y;
      }
    return std::to_string(first) + "-" + std::to_string(last);
  }
};

}  // namespace

TEST_F(QuibGaugeTest, KeepsProgressWithinTheRange) {
  auto& g = LaneGauge(false);
  g.SetProgress(70);
  EXPECT_EQ(g.Progress(), 64);
  g.SetProgress(-3);
  EXPECT_EQ(g.Progress(), 0);
}

TEST_F(QuibGaugeTest, RepaintsOnlyWhenTheWholePercentageChanges) {
  auto& g = LaneGauge(false);
  g.SetProgress(10);
  Settle();
  g.SetProgress(10);
  EXPECT_FALSE(form.NeedsPaint());
  g.SetProgress(32);
  EXPECT_EQ(g.Percentage(), 50);
  Settle();
  g.SetProgress(33);
  EXPECT_EQ(g.Percentage(), 52);
  EXPECT_TRUE(form.NeedsPaint());

  // Over a range of 1000, progress 1 and 2 are both 0 %.
  auto& fine = form.Add<TQuibGauge>("Fine", 100, 0, 20, 20);
  fine.SetMaxValue(1000);
  fine.SetProgress(1);
  Settle();
  fine.SetProgress(2);
  EXPECT_EQ(fine.Progress(), 2);
  EXPECT_FALSE(form.NeedsPaint());
}

TEST_F(QuibGaugeTest, UnchangedPropertiesRepaintNothing) {
  auto& g = LaneGauge(true);
  Settle();
  g.SetKind(TQuibGaugeKind::gkVerticalBar);
  g.SetForeColor(kFore);
  g.SetCenterOrigin(true);
  g.SetMaxValue(64);
  g.SetMinValue(0);
  EXPECT_FALSE(form.NeedsPaint());
  g.SetBackColor(0x123456);
  EXPECT_TRUE(form.NeedsPaint());
}

TEST_F(QuibGaugeTest, VerticalBarGrowsUpFromTheBottom) {
  auto& g = LaneGauge(false);
  g.SetProgress(16);  // 25 %: round(25 * 65 / 100) = 16 rows from y = 49, clipped at 63
  EXPECT_EQ(BarRows(), "49-63");
  EXPECT_EQ(At(7, 48), kBack);
  g.SetProgress(0);
  EXPECT_EQ(BarRows(), "-1--1");
  g.SetProgress(64);
  EXPECT_EQ(BarRows(), "0-63");
}

TEST_F(QuibGaugeTest, CentredVerticalBarReachesFromTheMiddleLine) {
  auto& g = LaneGauge(true);
  g.SetProgress(0);
  EXPECT_EQ(BarRows(), "0-31");
  g.SetProgress(32);  // 50 %
  EXPECT_EQ(BarRows(), "31-31");
  g.SetProgress(64);
  EXPECT_EQ(BarRows(), "32-63");
  g.SetProgress(48);  // 75 %: f = round(50 * 32 / 100) = 16
  EXPECT_EQ(BarRows(), "32-48");
}

TEST_F(QuibGaugeTest, HorizontalBarGrowsFromTheLeft) {
  auto& g = form.Add<TQuibGauge>("QuibGauge65", 0, 0, 66, 19);
  g.SetMaxValue(66);
  g.SetShowText(false);
  g.SetBorderStyle(TBorderStyle::bsNone);
  g.SetForeColor(kFore);
  g.SetBackColor(kBack);
  g.SetProgress(33);  // 50 %: b = round(50 * 67 / 100) = 34
  Settle();
  EXPECT_EQ(At(33, 10), kFore);
  EXPECT_EQ(At(34, 10), kBack);
  EXPECT_EQ(At(0, 18), kFore);
}

TEST_F(QuibGaugeTest, SingleBorderFramesTheBarInsideABlackEdge) {
  auto& g = form.Add<TQuibGauge>("G", 0, 0, 20, 10);
  g.SetShowText(false);
  g.SetBorderColor(0x808080);
  g.SetBackColor(kBack);
  Settle();
  EXPECT_EQ(At(0, 0), 0x000000u);
  EXPECT_EQ(At(1, 1), 0x808080u);
  EXPECT_EQ(At(2, 2), kBack);
}

TEST_F(QuibGaugeTest, EqualLimitsGiveZeroPercent) {
  auto& g = form.Add<TQuibGauge>("G", 0, 0, 20, 20);
  g.SetMaxValue(0);
  g.SetProgress(5);
  EXPECT_EQ(g.Percentage(), 0);
}

TEST_F(QuibGaugeTest, RefusesLimitsThatCrossAndChangesNothing) {
  auto& g = LaneGauge(false);
  g.SetProgress(20);
  g.SetMinValue(10);
  try {
    g.SetMaxValue(5);
    FAIL() << "no error";
  } catch (const EValueRangeError& e) {
    EXPECT_STREQ(e.what(), "Value must be between 11 and 2147483647");
  }
  EXPECT_EQ(g.MaxValue(), 64);
  EXPECT_EQ(g.Progress(), 20);
  try {
    g.SetMinValue(65);
    FAIL() << "no error";
  } catch (const EValueRangeError& e) {
    EXPECT_STREQ(e.what(), "Value must be between -2147483647 and 63");
  }
  EXPECT_EQ(g.MinValue(), 10);
}

TEST_F(QuibGaugeTest, AcceptsCrossingLimitsWhileTheFormLoads) {
  auto& g = LaneGauge(false);
  form.BeginLoading();
  g.SetMinValue(100);
  g.SetMaxValue(200);
  form.EndLoading();
  EXPECT_EQ(g.MinValue(), 100);
  EXPECT_EQ(g.MaxValue(), 200);
  EXPECT_EQ(g.Progress(), 100);
}

TEST_F(QuibGaugeTest, MovingALimitDragsProgressAlong) {
  auto& g = LaneGauge(false);
  g.SetProgress(50);
  g.SetMaxValue(40);
  EXPECT_EQ(g.Progress(), 40);
  g.SetMaxValue(60);
  g.SetMinValue(45);
  EXPECT_EQ(g.Progress(), 45);
}

TEST_F(QuibGaugeTest, TextShowsThePercentageOrTheSignedShift) {
  auto& g = LaneGauge(false);
  g.SetProgress(16);
  EXPECT_EQ(g.Text(), "25%");
  g.SetCenterOrigin(true);
  EXPECT_EQ(g.Text(), "50%");
  g.Tag = 99;
  EXPECT_EQ(g.Text(), "12");  // round((25 - 50) * -0.48)
}

TEST_F(QuibGaugeTest, TextShowsInvertedAgainstTheBar) {
  auto& g = form.Add<TQuibGauge>("G", 0, 0, 60, 20);
  g.SetBorderStyle(TBorderStyle::bsNone);
  g.SetForeColor(0x000000);
  g.SetBackColor(0x000000);
  TFont f;
  f.Color = 0xFFFFFF;
  g.SetFont(f);
  Settle();
  // White text on black: some pixel is white; over a white bar the same
  // text would turn black.
  bool white = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) white |= At(x, y) == 0xFFFFFF;
  EXPECT_TRUE(white);
}

TEST_F(QuibGaugeTest, PieAndNeedleDrawTheirFaces) {
  auto& pie = form.Add<TQuibGauge>("Pie", 0, 0, 41, 41);
  pie.SetKind(TQuibGaugeKind::gkPie);
  pie.SetShowText(false);
  pie.SetColor(0x0000FF);
  pie.SetBackColor(0x00FF00);
  pie.SetForeColor(0xFF0000);
  pie.SetProgress(25);  // the slice from 12 o'clock to 3 o'clock
  auto& needle = form.Add<TQuibGauge>("Needle", 100, 0, 41, 21);
  needle.SetKind(TQuibGaugeKind::gkNeedle);
  needle.SetShowText(false);
  needle.SetColor(0x0000FF);
  needle.SetBackColor(0x00FF00);
  needle.SetProgress(50);
  Settle();
  EXPECT_EQ(At(1, 1), 0x0000FFu);    // corner outside the ellipse
  EXPECT_EQ(At(28, 12), 0xFF0000u);  // upper right quarter: done
  EXPECT_EQ(At(12, 28), 0x00FF00u);  // lower left: still to do
  EXPECT_EQ(At(120, 5), 0x000000u);  // 50 %: the needle stands upright
  EXPECT_EQ(At(110, 12), 0x00FF00u);
}

TEST_F(QuibGaugeTest, CapturedDragReportsPositionsOutsideTheGauge) {
  auto& g = LaneGauge(false);
  g.SetLeft(20);
  std::vector<int> ys;
  g.OnMouseMove = [&](TControl*, TShiftState s, int, int y) {
    if (s == TShiftState{ssLeft}) ys.push_back(y);
  };
  form.PointerDown(TMouseButton::mbLeft, {}, 25, 10);
  form.PointerMove({}, 60, 30);
  form.PointerMove({}, 25, 90);
  form.PointerMove({}, 25, -5);
  form.PointerUp(TMouseButton::mbLeft, {}, 25, -5);
  form.PointerMove({}, 25, 90);
  EXPECT_EQ(ys, (std::vector<int>{30, 90, -5}));
}
