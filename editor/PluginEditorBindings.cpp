// Which handler each user event of the window calls.
#include <functional>

#include "editor/PluginEditorWindow.h"

void TPluginEditorWindow::BindEvents() {
  using std::bind_front;
  using W = TPluginEditorWindow;
  NoteGrid->OnCellMouseDown = bind_front(&W::NoteGridCellMouseDown, this);
  NoteGrid->OnMouseCellEnter = bind_front(&W::NoteGridCellMouseCellEnter, this);
  for (int r = 0; r < 12; ++r) {
    BankMidiCh[r]->OnMouseUp = bind_front(&W::MidiChannelChange, this);
    BankNote[r]->OnMouseUp = bind_front(&W::NoteChange, this);
    BankOctave[r]->OnMouseUp = bind_front(&W::OctaveChange, this);
  }
  for (int k = 0; k < 32; ++k) {
    VelocityGauges[k]->OnMouseMove = bind_front(&W::SldMouseMove, this);
    ShiftGauges[k]->OnMouseMove = bind_front(&W::ShiftSldMouseMove, this);
  }
  QuibGauge65->OnMouseMove = bind_front(&W::GlobalVelocityMouseMove, this);
  for (TDIBFadeLabel* preset : VelocityPresets)
    preset->OnMouseUp = bind_front(&W::VelocityPresetButton, this);
  for (TDIBFadeLabel* button : PatternButtons)
    button->OnMouseUp = bind_front(&W::SelectPatternMouseDown, this);
  DIBFadeLabel25->OnMouseUp = bind_front(&W::SelectPatternMouseDown, this);
  DIBImages[0]->OnMouseUp = bind_front(&W::VelocityButtonMouseDown, this);
  AboutGraphicBox->OnMouseDown = bind_front(&W::VelocityButtonMouseDown, this);
  DIBImages[1]->OnMouseUp = bind_front(&W::ShiftButtonMouseDown, this);
  DIBImages[2]->OnMouseUp = bind_front(&W::AboutButtonMouseDown, this);
  DIBImages[3]->OnMouseDown = bind_front(&W::DragandDropButtonMouseDown, this);
  DIBImages[4]->OnMouseDown = bind_front(&W::ClearPatternButtonMouseDown, this);
  BypassMode->OnMouseUp = bind_front(&W::BypassSwitch, this);
  for (TDIBFadeLabel* button : ScaleButtons)
    button->OnMouseUp = bind_front(&W::ScaleButtonMouseDown, this);
  updater.OnTimer = bind_front(&W::UpdaterTimer, this);
}

// The display follows the plug-in through the bridge's idle refresh; the
// timer has nothing to do.
void TPluginEditorWindow::UpdaterTimer() {}
