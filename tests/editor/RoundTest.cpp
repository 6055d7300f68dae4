// The editor's rounding: halves to the even neighbour, and values outside the
// target type (a host's sample rate can make any) clamped rather than
// converted out of range.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>

#include "editor/Round.h"

TEST(Round, HalvesGoToTheEvenNeighbourAndOutOfRangeValuesToTheNearestEnd) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double x;
    int expected;
  } cases[] = {{2.5, 2},      {3.5, 4},         {-2.5, -2},      {0.49, 0},
               {1e300, INT_MAX}, {-1e300, INT_MIN}, {kInf, INT_MAX}, {-kInf, INT_MIN},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.x), c.expected) << c.x;
}

TEST(Round, ANarrowTypeClampsToItsOwnRange) {
  EXPECT_EQ(RoundTo<std::int16_t>(40000.0), 32767);
  EXPECT_EQ(RoundTo<std::int16_t>(-40000.0), -32768);
  EXPECT_EQ(RoundTo<std::int16_t>(-1378.5), -1378);
}
