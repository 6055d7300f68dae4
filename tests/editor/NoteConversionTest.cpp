#include "editor/NoteConversion.h"

#include <gtest/gtest.h>

TEST(NoteConversion, NumbersBecomePitchAndOctaveDigit) {
  EXPECT_EQ(NoteNumberToName(0), "C 0");
  EXPECT_EQ(NoteNumberToName(60), "C 5");
  EXPECT_EQ(NoteNumberToName(61), "C#5");
  EXPECT_EQ(NoteNumberToName(119), "B 9");
}

TEST(NoteConversion, NumbersOutsideTenOctavesHaveNoName) {
  EXPECT_EQ(NoteNumberToName(120), "---");
  EXPECT_EQ(NoteNumberToName(127), "---");
  EXPECT_EQ(NoteNumberToName(-1), "---");
}

TEST(NoteConversion, NamesReadBackForgivingCaseAndAMissingSpace) {
  EXPECT_EQ(NoteNameToNumber("C5"), 60);
  EXPECT_EQ(NoteNameToNumber("c 5"), 60);
  EXPECT_EQ(NoteNameToNumber("C#5"), 61);
  EXPECT_EQ(NoteNameToNumber("a#0"), 10);
  EXPECT_EQ(NoteNameToNumber("B 9"), 119);
}

TEST(NoteConversion, TextsThatNameNoNoteGiveMinusOne) {
  EXPECT_EQ(NoteNameToNumber("H 5"), -1);  // no such pitch
  EXPECT_EQ(NoteNameToNumber("E#5"), -1);  // sharps exist only where the table has them
  EXPECT_EQ(NoteNameToNumber("C X"), -1);  // octave not a digit
  EXPECT_EQ(NoteNameToNumber("C#"), -1);   // two characters: "C #", octave '#'
  EXPECT_EQ(NoteNameToNumber("C"), -1);
  EXPECT_EQ(NoteNameToNumber("C#50"), -1);
  EXPECT_EQ(NoteNameToNumber(""), -1);
  EXPECT_EQ(NoteNameToNumber("---"), -1);  // the labels "--" and "-" of a note of 120 and above
}

TEST(NoteConversion, EveryNameReadsBackAsItsNumber) {
  for (int n = 0; n < 120; ++n) EXPECT_EQ(NoteNameToNumber(NoteNumberToName(n)), n) << n;
}
