// Painting and erasing cells, the row marker and the row labels, driven
// with the pointer and checked in the plug-in.
#include <algorithm>
#include <utility>
#include <vector>

#include "tests/editor/EditorInput.h"

using enum TMouseButton;

namespace {
constexpr VstInt16 kSet = 0x90, kNotSet = 0x80;
}

class StepGridEditing : public EditorInput {
protected:
  int style(int step, int row) { return window().NoteGrid->Cells(step, row)->StyleIndex(); }
  int markerRow() { return (window().BankHighLight->Top() - 30) / 16; }
};

TEST_F(StepGridEditing, ALeftClickSetsACellWithTheBrushAndASecondKeepsItsVelocity) {
  ASSERT_EQ(window().QuibGauge65->Progress(), 66);
  click(cell(3, 2));
  EXPECT_EQ(get(3, 2, StepState), kSet);
  EXPECT_EQ(get(3, 2, StepVelocity), 127);
  EXPECT_EQ(get(3, 2, StepMode), 1);
  EXPECT_EQ(style(3, 2), 1);

  set(3, 2, 40, StepVelocity);
  click(cell(3, 2));
  EXPECT_EQ(get(3, 2, StepVelocity), 40);
}

TEST_F(StepGridEditing, CtrlTiesShiftReStrikesAndShiftWinsOverCtrl) {
  click(cell(0, 0), mbLeft, {ssCtrl});
  click(cell(1, 0), mbLeft, {ssShift});
  click(cell(2, 0), mbLeft, {ssShift, ssCtrl});
  EXPECT_EQ(get(0, 0, StepMode), 2);
  EXPECT_EQ(get(1, 0, StepMode), 3);
  EXPECT_EQ(get(2, 0, StepMode), 3);
  EXPECT_EQ(style(0, 0), 2);
  EXPECT_EQ(style(1, 0), 3);
  EXPECT_EQ(style(2, 0), 3);
}

TEST_F(StepGridEditing, ARightClickClearsTheCellButKeepsWhatItStored) {
  click(cell(6, 4), mbLeft, {ssCtrl});
  set(6, 4, 77, StepVelocity);
  set(6, 4, -12, StepShift);
  click(cell(6, 4), mbRight);
  EXPECT_EQ(get(6, 4, StepState), kNotSet);
  EXPECT_EQ(style(6, 4), 0);
  EXPECT_EQ(get(6, 4, StepMode), 2);
  EXPECT_EQ(get(6, 4, StepVelocity), 77);
  EXPECT_EQ(get(6, 4, StepShift), -12);
  // Set again with a plain click it strikes.
  click(cell(6, 4));
  EXPECT_EQ(style(6, 4), 1);
}

TEST_F(StepGridEditing, AltSelectsTheRowWithoutEditingAndMiddleLeavesTheMarker) {
  set(9, 7, kSet, StepState);
  set(9, 7, 127, StepVelocity);
  click(cell(2, 7), mbLeft, {ssAlt});
  EXPECT_EQ(get(2, 7, StepState), kNotSet);
  EXPECT_EQ(selectedRow, 7);
  EXPECT_EQ(markerRow(), 7);
  EXPECT_EQ(window().VelocityGauges[9]->Progress(), 64);

  click(cell(2, 10), mbMiddle);
  EXPECT_EQ(selectedRow, 10);
  EXPECT_EQ(markerRow(), 7);
  EXPECT_EQ(window().VelocityGauges[9]->Progress(), 0);
  EXPECT_EQ(get(2, 10, StepState), kNotSet);
}

TEST_F(StepGridEditing, ALeftStrokeSetsEveryCellItCrossesAndARightStrokeClearsThem) {
  click(*window().VelocityPresets[0]);  // the brush at 50%: velocity 64
  set(5, 1, kSet, StepState);
  set(5, 1, 20, StepVelocity);
  stroke({cell(4, 1), cell(5, 1), cell(6, 1), cell(6, 2)});
  for (auto [step, row] : {std::pair{4, 1}, {5, 1}, {6, 1}, {6, 2}}) {
    EXPECT_EQ(get(step, row, StepState), kSet) << step << "," << row;
    EXPECT_EQ(get(step, row, StepVelocity), 64) << "a stroke rewrites the velocity of set cells too";
  }
  EXPECT_EQ(selectedRow, 2);
  EXPECT_EQ(markerRow(), 2);

  // The keys held at each cell choose its mode.
  press(cell(10, 0));
  move(cell(11, 0), {ssShift});
  move(cell(12, 0), {ssCtrl});
  release(cell(12, 0));
  EXPECT_EQ(get(10, 0, StepMode), 1);
  EXPECT_EQ(get(11, 0, StepMode), 3);
  EXPECT_EQ(get(12, 0, StepMode), 2);

  stroke({cell(6, 2), cell(6, 1), cell(5, 1)}, mbRight);
  for (auto [step, row] : {std::pair{6, 2}, {6, 1}, {5, 1}}) {
    EXPECT_EQ(get(step, row, StepState), kNotSet);
    EXPECT_EQ(style(step, row), 0);
  }
  EXPECT_EQ(get(4, 1, StepState), kSet);
  EXPECT_EQ(markerRow(), 1);
}

TEST_F(StepGridEditing, ChannelLabelsWrapAndCtrlStepsEveryRowFromItsOwnChannel) {
  set(0, 0, 15, RowChannel);
  idle();
  click(channelLabel(0));
  EXPECT_EQ(get(0, 0, RowChannel), 0);
  EXPECT_EQ(window().BankMidiCh[0]->Caption(), "01");
  click(channelLabel(0), mbRight);
  EXPECT_EQ(get(0, 0, RowChannel), 15);
  EXPECT_EQ(window().BankMidiCh[0]->Caption(), "16");
  click(channelLabel(0), mbMiddle);
  EXPECT_EQ(get(0, 0, RowChannel), 15);

  set(0, 3, 16, RowChannel);  // no channel: the row ignores clicks
  set(0, 4, 7, RowChannel);
  idle();
  click(channelLabel(1), mbLeft, {ssCtrl});
  EXPECT_EQ(get(0, 0, RowChannel), 0);
  EXPECT_EQ(get(0, 1, RowChannel), 1);
  EXPECT_EQ(get(0, 3, RowChannel), 16);
  EXPECT_EQ(window().BankMidiCh[3]->Caption(), "17");
  EXPECT_EQ(get(0, 4, RowChannel), 8);
  EXPECT_EQ(window().BankMidiCh[4]->Caption(), "09");
  EXPECT_EQ(get(0, 11, RowChannel), 1);
}

TEST_F(StepGridEditing, NoteLabelsStepThePitchWithinItsOctave) {
  // Row 0 holds B 4 (59), row 11 C 4 (48).
  click(noteLabel(0));
  EXPECT_EQ(get(0, 0, RowNote), 48);
  EXPECT_EQ(window().BankNote[0]->Caption(), "C ");
  EXPECT_EQ(window().BankOctave[0]->Caption(), "4");
  click(noteLabel(11), mbRight);
  EXPECT_EQ(get(0, 11, RowNote), 59);
  EXPECT_EQ(window().BankNote[11]->Caption(), "B ");
  click(noteLabel(5), mbLeft, {ssCtrl});  // Ctrl changes one row only here
  EXPECT_EQ(get(0, 5, RowNote), 55);
  EXPECT_EQ(get(0, 6, RowNote), 53);
  click(noteLabel(5), mbMiddle);
  EXPECT_EQ(get(0, 5, RowNote), 55);

  set(0, 2, 120, RowNote);
  idle();
  click(noteLabel(2));
  click(octaveLabel(2));
  EXPECT_EQ(get(0, 2, RowNote), 120);
  EXPECT_EQ(window().BankNote[2]->Caption(), "--");
}

TEST_F(StepGridEditing, OctaveLabelsWrapBetweenNineAndZeroAndCtrlShiftsEveryRow) {
  set(0, 0, 108, RowNote);  // C 9
  set(0, 1, 11, RowNote);   // B 0
  idle();
  click(octaveLabel(0));
  EXPECT_EQ(get(0, 0, RowNote), 0);
  EXPECT_EQ(window().BankOctave[0]->Caption(), "0");
  click(octaveLabel(1), mbRight);
  EXPECT_EQ(get(0, 1, RowNote), 119);
  EXPECT_EQ(window().BankOctave[1]->Caption(), "9");

  click(octaveLabel(4), mbRight, {ssCtrl});
  EXPECT_EQ(get(0, 0, RowNote), 108);
  EXPECT_EQ(get(0, 1, RowNote), 107);
  for (int row = 2; row < 12; ++row) EXPECT_EQ(get(0, row, RowNote), 59 - row - 12) << row;
}

TEST_F(StepGridEditing, TheNoteIsReadFromTheLabelsNotFromThePlugin) {
  // Until the next refresh the labels show the start-up captions "C" .. "B"
  // with octave "0"; a click steps from what they show.
  TPluginEditorWindow& w = window();
  w.BankNote[3]->SetCaption("D#");
  w.BankOctave[3]->SetCaption("0");
  click(noteLabel(3));
  EXPECT_EQ(get(0, 3, RowNote), 4);
}

// The cells a stroke leaves set in the current pattern of the saved chunk.
class StepGridStrokes : public StepGridEditing {
protected:
  std::vector<std::pair<int, int>> setCells() {
    PatternImage saved = chunk();
    std::vector<std::pair<int, int>> cells;
    for (int row = 0; row < 12; ++row)
      for (int step = 0; step < 32; ++step)
        if (saved.stepByte(PatternImage::kCurrent, row, step, 1) == kSet) cells.emplace_back(step, row);
    return cells;
  }
};

// Press, two quick moves, release, then a move far away with no button:
// exactly the three cells the pointer went over.
TEST_F(StepGridStrokes, AQuickStrokeThenAMoveAfterTheReleaseSetsExactlyTheCellsCrossed) {
  press({107, 38});
  move({123, 38});
  move({139, 38});
  release({139, 38});
  move({427, 182});
  EXPECT_EQ(setCells(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}}));
}

// One sample per several cells, in any direction, still sets every cell between.
TEST_F(StepGridStrokes, SparseSamplesSetEveryCellOnTheWay) {
  press(cell(0, 11));
  move(cell(6, 11));  // six cells in one move
  move(cell(6, 5));   // six rows up in one move
  move(cell(9, 8));   // diagonally down
  release(cell(9, 8));
  std::vector<std::pair<int, int>> expected;
  for (int step = 0; step <= 6; ++step) expected.emplace_back(step, 11);
  for (int row = 5; row < 11; ++row) expected.emplace_back(6, row);
  expected.insert(expected.end(), {{7, 6}, {8, 7}, {9, 8}});
  std::sort(expected.begin(), expected.end(),
            [](auto a, auto b) { return std::pair(a.second, a.first) < std::pair(b.second, b.first); });
  EXPECT_EQ(setCells(), expected);
  EXPECT_EQ(selectedRow, 8);
  EXPECT_EQ(markerRow(), 8);
}

// Keys held during a quick move apply to every cell it crosses; Alt edits none.
TEST_F(StepGridStrokes, TheKeysOfAMoveApplyToEveryCellItCrosses) {
  press(cell(0, 3));
  move(cell(4, 3), {ssShift});
  move(cell(8, 3), {ssCtrl});
  move(cell(12, 3), {ssAlt});
  release(cell(12, 3));
  for (int step = 1; step <= 4; ++step) EXPECT_EQ(get(step, 3, StepMode), 3) << step;
  for (int step = 5; step <= 8; ++step) EXPECT_EQ(get(step, 3, StepMode), 2) << step;
  for (int step = 9; step <= 12; ++step) EXPECT_EQ(get(step, 3, StepState), kNotSet) << step;
}

// A quick right-button stroke clears every cell it crosses, and only those.
TEST_F(StepGridStrokes, AQuickRightStrokeClearsEveryCellItCrosses) {
  for (int step = 0; step < 32; ++step) {
    set(step, 4, kSet, StepState);
    set(step, 4, 1, StepMode);
  }
  idle();
  press(cell(2, 4), mbRight);
  move(cell(10, 4));
  move({700, cell(10, 4).y});  // off the grid and the window's panel
  release({700, cell(10, 4).y}, mbRight);
  move(cell(0, 4));
  for (int step = 0; step < 32; ++step)
    EXPECT_EQ(get(step, 4, StepState), step < 2 ? kSet : kNotSet) << step;
  EXPECT_EQ(style(31, 4), 0);
  EXPECT_EQ(style(1, 4), 1);
}
