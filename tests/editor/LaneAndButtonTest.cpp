// The lanes, the global velocity and its presets, the lane and about
// buttons, the pattern buttons, clear and the trigger switch, driven with
// the pointer and checked in the plug-in.
#include "tests/editor/EditorInput.h"

using enum TMouseButton;

namespace {
constexpr VstInt16 kSet = 0x90;
}

class LaneEditing : public EditorInput {
protected:
  // A drag on one lane gauge from its middle to height y (gauge coordinates).
  void dragLane(int step, int y, TShiftState keys = {}) {
    stroke({lane(step, 32), lane(step, 40), lane(step, y)}, mbLeft, keys);
  }
};

TEST_F(LaneEditing, VelocityLaneEditsOnlySetCellsOfTheSelectedRow) {
  selectedRow = 3;
  dragLane(5, 0);
  EXPECT_EQ(get(5, 3, StepVelocity), 127) << "the stored default, untouched";
  EXPECT_EQ(window().VelocityGauges[5]->Progress(), 0);

  set(5, 3, kSet, StepState);
  dragLane(5, 0);
  EXPECT_EQ(get(5, 3, StepVelocity), 127);
  EXPECT_EQ(window().VelocityGauges[5]->Progress(), 64);
  dragLane(5, 32);
  EXPECT_EQ(get(5, 3, StepVelocity), 64);  // 32 * 127 / 64 = 63.5, to the even 64
  dragLane(5, 64);
  EXPECT_EQ(get(5, 3, StepVelocity), 0);
  // Beyond the gauge the pressed gauge still takes the drag, at its extreme.
  dragLane(5, -50);
  EXPECT_EQ(get(5, 3, StepVelocity), 127);
  EXPECT_EQ(get(5, 2, StepVelocity), 127);
}

TEST_F(LaneEditing, ADragWithAnyKeyHeldEditsNothing) {
  set(8, 0, kSet, StepState);
  set(8, 0, 100, StepVelocity);
  for (TShiftFlag key : {ssShift, ssCtrl, ssAlt}) {
    dragLane(8, 0, {key});
    EXPECT_EQ(get(8, 0, StepVelocity), 100);
  }
}

TEST_F(LaneEditing, ThePressedGaugeKeepsTheDragWhenThePointerCrossesItsNeighbours) {
  set(2, 0, kSet, StepState);
  set(2, 0, 10, StepVelocity);
  set(3, 0, kSet, StepState);
  set(3, 0, 90, StepVelocity);
  stroke({lane(2, 32), lane(3, 10), lane(3, 0)});
  EXPECT_EQ(get(2, 0, StepVelocity), 127);
  EXPECT_EQ(get(3, 0, StepVelocity), 90);
}

TEST_F(LaneEditing, ShiftLaneSpansASixteenthOfASecondAtTheCurrentRate) {
  click(*window().DIBImages[1]);  // "Note Shift" brings its lane to the front
  set(0, 0, kSet, StepState);
  dragLane(0, 0);
  EXPECT_EQ(get(0, 0, StepShift), 1378);
  dragLane(0, 32);
  EXPECT_EQ(get(0, 0, StepShift), 0);
  dragLane(0, 64);
  EXPECT_EQ(get(0, 0, StepShift), -1378);
  currentSampleRate = 48000.0;
  dragLane(0, -3);
  EXPECT_EQ(get(0, 0, StepShift), 1500);
  dragLane(0, 99);
  EXPECT_EQ(get(0, 0, StepShift), -1500);
  EXPECT_EQ(get(0, 0, StepVelocity), 127) << "the velocity lane lies behind";
}

TEST_F(LaneEditing, GlobalVelocityFollowsTheDragAndThePresets) {
  TQuibGauge& global = *window().QuibGauge65;
  stroke({{658 + 30, 290}, {658 + 33, 290}});
  EXPECT_EQ(global.Progress(), 33);
  EXPECT_EQ(get(0, 0, DefaultVelocity), 64);
  stroke({{658 + 30, 290}, {900, 290}});
  EXPECT_EQ(get(0, 0, DefaultVelocity), 127);
  stroke({{658 + 30, 290}, {658 + 20, 290}}, mbLeft, {ssCtrl});
  EXPECT_EQ(get(0, 0, DefaultVelocity), 127);

  const int progress[5] = {33, 43, 50, 56, 66};
  const int velocity[5] = {64, 83, 96, 108, 127};
  for (int i : {0, 1, 2, 3, 4, 0}) {
    click(*window().VelocityPresets[i], i == 3 ? mbRight : mbLeft);
    EXPECT_EQ(global.Progress(), progress[i]) << i;
    EXPECT_EQ(get(0, 0, DefaultVelocity), velocity[i]) << i;
  }
  // Newly set cells take the brush.
  click(cell(0, 0));
  EXPECT_EQ(get(0, 0, StepVelocity), 64);
}

class Buttons : public EditorInput {};

TEST_F(Buttons, LaneAndAboutButtonsChooseWhatThePanelsShow) {
  TPluginEditorWindow& w = window();
  click(*w.DIBImages[2]);
  EXPECT_FALSE(w.NoteGrid->Visible());
  EXPECT_TRUE(w.AboutGraphicBox->Visible());
  EXPECT_EQ(w.ControlAt(300, 100), w.AboutGraphicBox);
  click(*w.DIBImages[1]);
  EXPECT_TRUE(w.NoteGrid->Visible());
  EXPECT_FALSE(w.AboutGraphicBox->Visible());
  EXPECT_EQ(w.ControlAt(lane(4, 20).x, lane(4, 20).y)->Parent(), w.ShiftGrid);
  click(*w.DIBImages[2]);
  click({300, 100});  // a press on the picture goes back to the grid
  EXPECT_TRUE(w.NoteGrid->Visible());
  EXPECT_EQ(w.ControlAt(lane(4, 20).x, lane(4, 20).y)->Parent(), w.VelocityGrid);
}

TEST_F(Buttons, RightClickStoresAndMarksTheButtonAtTheNextRefresh) {
  TPluginEditorWindow& w = window();
  click(patternButton(6), mbRight);
  EXPECT_EQ(get(6, 0, PatternUsed), 0);
  EXPECT_EQ(w.PatternButtons[6]->Color(), 0x7D8972u);
  EXPECT_EQ(w.DIBFadeLabel25->Left(), w.PatternButtons[6]->Left());
  EXPECT_TRUE(w.DIBFadeLabel25->Transparent());
  idle();
  EXPECT_EQ(w.PatternButtons[6]->Color(), 0xA8B0A0u);

  click(cell(4, 4));
  click(patternButton(6), mbRight);
  EXPECT_EQ(get(6, 0, PatternUsed), 1);
  EXPECT_FALSE(w.DIBFadeLabel25->Transparent());
  EXPECT_EQ(w.DIBFadeLabel25->Color(), 0x80A888u);
  EXPECT_EQ(w.DIBFadeLabel25->Caption(), "7");
  EXPECT_EQ(w.DIBFadeLabel25->Tag, 6);
  idle();
  EXPECT_EQ(w.PatternButtons[6]->Color(), 0x80A888u);
}

TEST_F(Buttons, LeftClickRecallsAndPutsTheCursorOverTheButton) {
  TPluginEditorWindow& w = window();
  click(cell(1, 1));
  click(patternButton(13), mbRight);
  click(*w.DIBImages[4]);  // clear
  EXPECT_NE(get(1, 1, StepState), kSet);
  click(patternButton(13), mbMiddle);
  EXPECT_NE(get(1, 1, StepState), kSet);

  click(patternButton(13));
  EXPECT_EQ(get(1, 1, StepState), kSet);
  EXPECT_EQ(w.DIBFadeLabel25->BoundsRect(), w.PatternButtons[13]->BoundsRect());
  EXPECT_EQ(w.DIBFadeLabel25->Caption(), "14");
  EXPECT_EQ(w.DIBFadeLabel25->Color(), 0x7D8972u);
  EXPECT_FALSE(w.DIBFadeLabel25->Transparent());
  // The cursor now lies over button 14 and answers for it.
  click(patternButton(13), mbRight);
  EXPECT_EQ(get(13, 0, PatternUsed), 1);
}

TEST_F(Buttons, ClearKeepsRowsAndModes) {
  click(cell(7, 2), mbLeft, {ssCtrl});
  click(channelLabel(2));
  click(*window().DIBImages[4], mbRight);
  EXPECT_EQ(get(7, 2, StepState), 0x80);
  EXPECT_EQ(get(7, 2, StepMode), 2);
  EXPECT_EQ(get(0, 2, RowChannel), 1);
  idle();
  EXPECT_EQ(window().NoteGrid->Cells(7, 2)->StyleIndex(), 0);
}

TEST_F(Buttons, TheTriggerSwitchTogglesAndTwoClicksRestoreIt) {
  TDIBFadeLabel& bypass = *window().BypassMode;
  ASSERT_EQ(bypass.Caption(), " ON ");
  click(bypass);
  EXPECT_EQ(get(0, 0, TriggerBypass), 1);
  EXPECT_EQ(bypass.Caption(), " OFF ");
  click(bypass, mbRight);
  EXPECT_EQ(get(0, 0, TriggerBypass), 0);
  EXPECT_EQ(bypass.Caption(), " ON ");
}
