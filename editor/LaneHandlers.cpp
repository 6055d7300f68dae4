// The velocity and shift lanes of the selected row, the global velocity
// gauge and its presets. A lane edits only while the left button alone is
// held: a drag with any key held is left alone, so a held key can never
// smear values across the lane.
#include <algorithm>

#include "editor/PluginEditorWindow.h"
#include "editor/Round.h"

namespace {

constexpr VstInt16 kSet = 0x90;

bool LeftAlone(TShiftState shift) { return shift == TShiftState{ssLeft}; }

}  // namespace

void TPluginEditorWindow::SldMouseMove(TControl* Sender, TShiftState Shift, int, int Y) {
  if (!LeftAlone(Shift)) return;
  auto& gauge = static_cast<TQuibGauge&>(*Sender);
  const int step = gauge.Tag;
  const int y = std::max(std::min(Y, gauge.Height()), 0);
  if (plugin.getPatternValue(step, selectedRow, StepState) != kSet) return;
  gauge.SetProgress(gauge.Height() - y);
  plugin.setPatternValue(step, selectedRow,
                         static_cast<VstInt16>(Round(gauge.Progress() * (127.0 / gauge.MaxValue()))),
                         StepVelocity);
}

void TPluginEditorWindow::ShiftSldMouseMove(TControl* Sender, TShiftState Shift, int, int Y) {
  if (!LeftAlone(Shift)) return;
  auto& gauge = static_cast<TQuibGauge&>(*Sender);
  const int step = gauge.Tag;
  const int y = std::max(std::min(Y, gauge.Height()), 0);
  if (plugin.getPatternValue(step, selectedRow, StepState) != kSet) return;
  gauge.SetProgress(y);
  // The top is the latest a note may sound, 1/32 second; the bottom the earliest.
  const double samplesPerUnit = -(currentSampleRate.load() / 32.0) / 32.0;
  plugin.setPatternValue(step, selectedRow,
                         RoundTo<VstInt16>((gauge.Progress() - 32) * samplesPerUnit),
                         StepShift);
}

void TPluginEditorWindow::GlobalVelocityMouseMove(TControl*, TShiftState Shift, int X, int) {
  if (!LeftAlone(Shift)) return;
  const int x = std::max(std::min(X, QuibGauge65->Width()), 0);
  QuibGauge65->SetProgress(x);
  plugin.setPatternValue(
      1, 0, static_cast<VstInt16>(Round(QuibGauge65->Progress() * (127.0 / QuibGauge65->MaxValue()))),
      DefaultVelocity);
}

void TPluginEditorWindow::VelocityPresetButton(TControl* Sender, TMouseButton, TShiftState, int,
                                               int) {
  const int percent = Sender->Tag;
  const int max = QuibGauge65->MaxValue();
  // "RST" (Tag 0) restores the full velocity.
  QuibGauge65->SetProgress(percent != 0 ? Round(percent * 0.01 * max) : max);
  plugin.setPatternValue(1, 0,
                         static_cast<VstInt16>(Round(127.0 / max * QuibGauge65->Progress())),
                         DefaultVelocity);
}
