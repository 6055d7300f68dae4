// The note grid and the row labels: painting and erasing cells, the row
// marker, and stepping each row's channel, pitch and octave.
#include <string>
#include <vector>

#include "editor/NoteConversion.h"
#include "editor/PluginEditorWindow.h"
#include "editor/Round.h"

namespace {

constexpr VstInt16 kSet = 0x90;
constexpr VstInt16 kNotSet = 0x80;

// Shift re-strikes, Ctrl ties, a plain press strikes.
VstInt16 ModeFor(TShiftState shift) {
  return shift.Contains(ssShift) ? 3 : shift.Contains(ssCtrl) ? 2 : 1;
}

bool LeftPaints(TShiftState shift) { return shift.Contains(ssLeft) && !shift.Contains(ssAlt); }

// Ctrl with the left or right button steps every row, each from its own value.
std::vector<int> RowsFor(const TControl& sender, TMouseButton button, TShiftState shift) {
  if (shift.Contains(ssCtrl) && button != TMouseButton::mbMiddle)
    return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  return {sender.Tag};
}

std::string TwoDigits(int n) {
  std::string text = std::to_string(n);
  if (text.size() == 1) text.insert(0, 1, '0');
  return text;
}

}  // namespace

void TPluginEditorWindow::UpdateBankIndicator(int row) {
  if (row < 0 || row > 11) return;
  BankHighLight->SetTop(BankHighLights[row]->Top());
}

void TPluginEditorWindow::NoteGridCellMouseDown(TControl*, TShiftState Shift, TcrCell* Cell) {
  const int step = Cell->Col(), row = Cell->Row();
  if (LeftPaints(Shift)) {
    // A cell already set keeps the velocity it has.
    if (plugin.getPatternValue(step, row, StepState) != kSet)
      plugin.setPatternValue(step, row, static_cast<VstInt16>(BrushVelocity()), StepVelocity);
    plugin.setPatternValue(step, row, kSet, StepState);
    const VstInt16 mode = ModeFor(Shift);
    plugin.setPatternValue(step, row, mode, StepMode);
    Cell->SetStyleIndex(mode);
  }
  if (Shift.Contains(ssRight)) {
    plugin.setPatternValue(step, row, kNotSet, StepState);
    Cell->SetStyleIndex(0);
  }
  if (Shift.Contains(ssLeft) || Shift.Contains(ssRight)) UpdateBankIndicator(row);
  selectedRow = row;
  UpdateVelocityGrid(row);
}

void TPluginEditorWindow::NoteGridCellMouseCellEnter(TControl*, TShiftState Shift, TcrCell* Cell) {
  const int step = Cell->Col(), row = Cell->Row();
  if (LeftPaints(Shift)) {
    plugin.setPatternValue(step, row, kSet, StepState);
    plugin.setPatternValue(step, row, static_cast<VstInt16>(BrushVelocity()), StepVelocity);
    const VstInt16 mode = ModeFor(Shift);
    plugin.setPatternValue(step, row, mode, StepMode);
    Cell->SetStyleIndex(mode);
    selectedRow = row;
    UpdateBankIndicator(row);
  }
  if (Shift.Contains(ssRight)) {
    plugin.setPatternValue(step, row, kNotSet, StepState);
    Cell->SetStyleIndex(0);
    selectedRow = row;
    UpdateBankIndicator(row);
  }
}

int TPluginEditorWindow::BrushVelocity() const {
  return Round(127.0 / QuibGauge65->MaxValue() * QuibGauge65->Progress());
}

void TPluginEditorWindow::MidiChannelChange(TControl* Sender, TMouseButton Button,
                                            TShiftState Shift, int, int) {
  if (Button == TMouseButton::mbMiddle) return;
  for (int row : RowsFor(*Sender, Button, Shift)) {
    const int ch = plugin.getPatternValue(0, row, RowChannel);
    if (ch < 0 || ch > 15) continue;
    const int next = Button == TMouseButton::mbLeft ? (ch + 1) % 16 : (ch + 15) % 16;
    plugin.setPatternValue(0, row, static_cast<VstInt16>(next), RowChannel);
    BankMidiCh[row]->SetCaption(TwoDigits(next + 1));
  }
}

void TPluginEditorWindow::NoteChange(TControl* Sender, TMouseButton Button, TShiftState, int,
                                     int) {
  const int row = Sender->Tag;
  const int n = NoteNameToNumber(BankNote[row]->Caption() + BankOctave[row]->Caption());
  if (n < 0 || n > 119 || Button == TMouseButton::mbMiddle) return;
  // The pitch wraps within its octave.
  int next;
  if (Button == TMouseButton::mbLeft)
    next = n % 12 == 11 ? n - 11 : n + 1;
  else
    next = n % 12 == 0 ? n + 11 : n - 1;
  plugin.setPatternValue(0, row, static_cast<VstInt16>(next), RowNote);
  BankNote[row]->SetCaption(NoteNumberToName(next).substr(0, 2));
}

void TPluginEditorWindow::OctaveChange(TControl* Sender, TMouseButton Button, TShiftState Shift,
                                       int, int) {
  if (Button == TMouseButton::mbMiddle) return;
  for (int row : RowsFor(*Sender, Button, Shift)) {
    const int n = NoteNameToNumber(BankNote[row]->Caption() + BankOctave[row]->Caption());
    if (n < 0 || n > 119) continue;
    // Octave 9 wraps to 0 and back.
    int next;
    if (Button == TMouseButton::mbLeft)
      next = n < 108 ? n + 12 : n - 108;
    else
      next = n > 11 ? n - 12 : n + 108;
    plugin.setPatternValue(0, row, static_cast<VstInt16>(next), RowNote);
    BankOctave[row]->SetCaption(NoteNumberToName(next).substr(2, 1));
  }
}
