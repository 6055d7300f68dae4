// The buttons: which lane shows, the about picture and the editor's scale,
// clearing, storing and recalling patterns, pattern triggering, and
// dragging the pattern out as a MIDI file.
#include <stdexcept>
#include <utility>

#include "editor/EditorColors.h"
#include "editor/PluginEditorWindow.h"
#include "engine/TempFolder.h"
#include "platform/NativeEditorWindow.h"

void TPluginEditorWindow::ShowAboutPage(bool shown) {
  NoteGrid->SetVisible(!shown);
  AboutGraphicBox->SetVisible(shown);
  for (TDIBFadeLabel* button : ScaleButtons) button->SetVisible(shown);
}

void TPluginEditorWindow::VelocityButtonMouseDown(TControl*, TMouseButton, TShiftState, int, int) {
  VelocityGrid->BringToFront();
  ShowAboutPage(false);
}

void TPluginEditorWindow::ShiftButtonMouseDown(TControl*, TMouseButton, TShiftState, int, int) {
  ShiftGrid->BringToFront();
  ShowAboutPage(false);
}

void TPluginEditorWindow::AboutButtonMouseDown(TControl*, TMouseButton, TShiftState, int, int) {
  ShowAboutPage(true);
}

void TPluginEditorWindow::ScaleButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState,
                                               int, int) {
  if (Button == TMouseButton::mbLeft) scaleRequest_ = Sender->Tag;
}

std::optional<int> TPluginEditorWindow::TakeScaleRequest() { return std::exchange(scaleRequest_, {}); }

void TPluginEditorWindow::ShowScale(int percent) {
  for (TDIBFadeLabel* button : ScaleButtons)
    button->SetColor(button->Tag == percent ? editor_colors::cursor : editor_colors::frame);
}

void TPluginEditorWindow::ClearPatternButtonMouseDown(TControl*, TMouseButton, TShiftState, int,
                                                      int) {
  plugin.setPatternValue(0, 0, 0, PatternClear);
}

bool TPluginEditorWindow::CurrentPatternHasSetCell() {
  for (int row = 0; row < 12; ++row)
    for (int step = 0; step < 32; ++step)
      if (plugin.getPatternValue(step, row, StepState) == 0x90) return true;
  return false;
}

void TPluginEditorWindow::MoveCursorTo(const TDIBFadeLabel& button) {
  TDIBFadeLabel& cursor = *DIBFadeLabel25;
  cursor.SetCaption(button.Caption());
  cursor.Tag = button.Tag;
  cursor.SetAutoSize(button.AutoSize());
  cursor.SetBounds(button.Left(), button.Top(), button.Width(), button.Height());
}

void TPluginEditorWindow::SelectPatternMouseDown(TControl* Sender, TMouseButton Button,
                                                 TShiftState, int, int) {
  auto& sender = static_cast<TDIBFadeLabel&>(*Sender);
  TDIBFadeLabel& cursor = *DIBFadeLabel25;
  const auto p = static_cast<VstInt16>(sender.Tag);
  if (Button == TMouseButton::mbLeft) {
    plugin.setPatternValue(0, 0, p, PatternStoreRecall);
    cursor.SetTransparent(false);
    MoveCursorTo(sender);
    cursor.SetColor(editor_colors::cursor);
  } else if (Button == TMouseButton::mbRight) {
    plugin.setPatternValue(1, 0, p, PatternStoreRecall);
    if (!CurrentPatternHasSetCell()) {
      plugin.setPatternValue(p, 0, 0, PatternUsed);
      sender.SetTransparent(false);
      sender.SetColor(editor_colors::cursor);
      MoveCursorTo(sender);
    } else {
      plugin.setPatternValue(p, 0, 1, PatternUsed);
      cursor.SetTransparent(false);
      MoveCursorTo(sender);
      cursor.SetColor(editor_colors::label);
    }
  }
}

void TPluginEditorWindow::BypassSwitch(TControl*, TMouseButton, TShiftState, int, int) {
  if (plugin.getPatternValue(0, 0, TriggerBypass) == 0) {
    plugin.setPatternValue(0, 0, 1, TriggerBypass);
    BypassMode->SetCaption(" OFF ");
  } else {
    plugin.setPatternValue(0, 0, 0, TriggerBypass);
    BypassMode->SetCaption(" ON ");
  }
}

void TPluginEditorWindow::DragandDropButtonMouseDown(TControl*, TMouseButton, TShiftState, int,
                                                     int) {
  if (!CurrentPatternHasSetCell()) return;
  try {
    plugin.setPatternValue(0, 0, 1, MidiFileExport);
  } catch (const std::exception& error) {
    // "Cannot create file ...": the user hears of it, the host never does.
    if (native) native->ShowMessage(error.what());
    return;
  }
  const std::string path = tempFolder() + APlugin::kExportFileName;
  // The outcome of the drag changes nothing here.
  if (native) native->DragFileOut(path, {});
}
