// The editor form as the native windows see it: a cross-hair over the note
// grid only, and pointer events that reach the controls with their keys.
#include "editor/FormView.h"
#include "tests/editor/EditorInput.h"

class FormViewOfTheEditor : public EditorInput {
protected:
  FormView view{window(), {window().NoteGrid}};
};

TEST_F(FormViewOfTheEditor, ShowsACrossHairOverTheNoteGridAndAnArrowElsewhere) {
  const Point grid = cell(0, 0), corner = cell(31, 11);
  EXPECT_EQ(view.CursorAt(grid.x, grid.y), ViewCursor::CrossHair);
  EXPECT_EQ(view.CursorAt(corner.x, corner.y), ViewCursor::CrossHair);
  const Point button = center(*window().DIBImages[3]);
  EXPECT_EQ(view.CursorAt(button.x, button.y), ViewCursor::Arrow);
  const Point label = channelLabel(0);
  EXPECT_EQ(view.CursorAt(label.x, label.y), ViewCursor::Arrow);
}

TEST_F(FormViewOfTheEditor, AStrokeThroughTheViewSetsTheCellsItPassesAndShiftMakesReStrikes) {
  const Point from = cell(0, 11), to = cell(1, 11);
  view.Pointer({PointerEvent::Move, PointerButton::Left, pkShift, from.x, from.y, 0});
  view.Pointer({PointerEvent::Press, PointerButton::Left, pkShift, from.x, from.y, 1});
  view.Pointer({PointerEvent::Move, PointerButton::Left, pkShift, to.x, to.y, 2});
  view.Pointer({PointerEvent::Release, PointerButton::Left, pkShift, to.x, to.y, 3});
  EXPECT_EQ(get(0, 11, StepState), 0x90);
  EXPECT_EQ(get(1, 11, StepState), 0x90);
  EXPECT_EQ(get(0, 11, StepMode), 3) << "Shift paints re-strike cells";
  EXPECT_EQ(get(1, 11, StepMode), 3);
  view.Pointer({PointerEvent::Press, PointerButton::Right, 0, from.x, from.y, 4});
  view.Pointer({PointerEvent::Release, PointerButton::Right, 0, from.x, from.y, 5});
  EXPECT_EQ(get(0, 11, StepState), 0x80);
}
