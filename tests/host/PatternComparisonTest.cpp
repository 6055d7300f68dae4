// Chunks that come back from a host compare equal as patterns although the
// step clock's marks moved; a changed note, cell or flag is named.
#include <gtest/gtest.h>

#include "host/DemoPattern.h"
#include "host/PatternComparison.h"

TEST(PatternComparison, IgnoresTheClocksMarksAndNamesEveryOtherChange) {
  PatternImage saved = demoPattern();
  PatternImage played = demoPattern();
  played.rowByte(24, 0, 2) = 36;          // soundingNote
  played.rowByte(24, 0, 3) = 9;           // soundingChannel
  played.stepByte(24, 0, 0, 2) = 0x90;    // sounding
  played.stepByte(24, 0, 0, 8) = 0x77;    // onset
  EXPECT_TRUE(patternDifferences(saved, played).empty());

  played.stepByte(24, 1, 4, 3) = 90;      // velocity
  played.setCell(3, 11, 31, 127, 2, -5);  // a cell in a stored pattern
  played.patternByte(25, 3) = 1;          // trigger bypass of the queued pattern
  const std::vector<std::string> expected = {
      "slot 3 row 11 step 31 mode: 1 / 2", "slot 3 row 11 step 31 state: 128 / 144",
      "slot 3 row 11 step 31 shift: 0 / -5", "slot 24 row 1 step 4 velocity: 110 / 90",
      "slot 25 triggerBypass: 0 / 1"};
  EXPECT_EQ(patternDifferences(saved, played), expected);
  EXPECT_NE(patternDifferences(demoPattern(true), demoPattern(false)).size(), 0u);
}
