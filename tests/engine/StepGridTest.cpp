// Jumping along the step grid lands exactly where walking it does.
#include <gtest/gtest.h>

#include <random>

#include "engine/StepGrid.h"

namespace {

double walk(double from, std::int64_t visits) {
  double pos = from;
  for (std::int64_t i = 0; i < visits; ++i) pos = pos + 0.25;
  return pos;
}

}  // namespace

TEST(StepGrid, JumpingEqualsWalkingFromAnyAnchor) {
  std::mt19937_64 random(3);
  const double anchors[] = {0.0, -8.0, 4.0, 0.1, -0.1, -7.3, 1e-20, -1e-20, 3.999999999, 1000.7};
  for (double anchor : anchors)
    for (std::int64_t visits : {0, 1, 2, 3, 5, 17, 64, 1000, 4096, 70000})
      ASSERT_EQ(stepPosition(anchor, visits), walk(anchor, visits)) << anchor << " + " << visits;
  for (int i = 0; i < 2000; ++i) {
    const double anchor = std::uniform_real_distribution<double>(-3000.0, 3000.0)(random);
    const auto visits = std::uniform_int_distribution<std::int64_t>(0, 30000)(random);
    ASSERT_EQ(stepPosition(anchor, visits), walk(anchor, visits)) << anchor << " + " << visits;
  }
}

TEST(StepGrid, AnchorsOnEverySecondBarFromTheSongStart) {
  EXPECT_EQ(patternAnchor(0.0), 0.0);
  EXPECT_EQ(patternAnchor(8.0), 8.0);
  EXPECT_EQ(patternAnchor(16.0), 16.0);
  EXPECT_EQ(patternAnchor(4.0), 0.0);
  EXPECT_EQ(patternAnchor(12.0), 8.0);
  EXPECT_EQ(patternAnchor(-4.0), -8.0);
  EXPECT_EQ(patternAnchor(8.5), 8.5);  // the integer part decides
}

TEST(StepGrid, TruncationSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(truncateToInt64(-2.7), -2);
  EXPECT_EQ(truncateToInt64(2.7), 2);
  EXPECT_EQ(truncateToInt64(1e300), truncateToInt64(1e20));
  EXPECT_EQ(truncateToInt64(-1e300), -truncateToInt64(1e300));
  EXPECT_EQ(truncateToInt64(std::nan("")), 0);
}
