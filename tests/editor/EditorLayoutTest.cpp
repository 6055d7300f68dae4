// The window as it opens, before and after its first refresh.
#include "tests/editor/EditorFixture.h"

namespace {

int IndexIn(const TWinControl& parent, const TControl& child) {
  for (int i = 0; i < parent.ControlCount(); ++i)
    if (&parent.Controls(i) == &child) return i;
  return -1;
}

}  // namespace

class EditorLayout : public EditorTest {
protected:
  EditorLayout() { open(); }
};

TEST_F(EditorLayout, VelocityLaneInFrontOfShiftLaneAndNoteGridAboveTheAboutPicture) {
  TPluginEditorWindow& w = window();
  EXPECT_GT(IndexIn(*w.BG, *w.VelocityGrid), IndexIn(*w.BG, *w.ShiftGrid));
  // A point inside both lanes and inside both the grid and the picture.
  TControl* lane = w.ControlAt(97 + 4 + 16 * 3 + 2, 250);
  ASSERT_NE(lane, nullptr);
  EXPECT_EQ(lane->Name, "QuibGauge4");
  EXPECT_EQ(w.ControlAt(300, 100), w.NoteGrid);
  EXPECT_EQ(w.AboutGraphicBox->Picture().Width(), 510);
  EXPECT_EQ(w.AboutGraphicBox->Picture().Height(), 191);
}

TEST_F(EditorLayout, NoteLabelsReadCToBUntilTheFirstRefreshThenThePluginsNotes) {
  EXPECT_EQ(window().BankNote[0]->Caption(), "C");
  EXPECT_EQ(window().BankNote[11]->Caption(), "B");
  EXPECT_EQ(window().BypassMode->Caption(), " OFF ");
  idle();
  // A new instance's rows fall from B 4 (59) to C 4 (48).
  EXPECT_EQ(window().BankNote[0]->Caption(), "B ");
  EXPECT_EQ(window().BankOctave[0]->Caption(), "4");
  EXPECT_EQ(window().BankNote[11]->Caption(), "C ");
  EXPECT_EQ(window().BypassMode->Caption(), " ON ");
}

TEST_F(EditorLayout, ASetCellPaintsInItsStyleAtTheGridsPlace) {
  set(5, 2, 0x90, StepState);
  set(5, 2, 3, StepMode);
  idle();
  window().PaintInvalid();
  // Step 5, row 2: the grid at (95, 27), its surface at (4, 3), the cell's
  // middle; 'Break Note' fills with #578060.
  EXPECT_EQ(pixel(95 + 4 + 16 * 5 + 8, 27 + 3 + 16 * 2 + 8), 0x578060u);
  // A cell separator lies over the cell's first column.
  EXPECT_EQ(pixel(95 + 20 + 16 * 4, 27 + 3 + 16 * 2 + 8), 0xB7BEB1u);
}
