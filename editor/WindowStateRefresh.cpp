// The refresh that the bridge runs at every host idle call: every control
// that shows sequencer state is rewritten from the plug-in. Nothing is
// compared or cached here; the widgets ignore values they already show.
#include <string>

#include "editor/EditorColors.h"
#include "editor/NoteConversion.h"
#include "editor/PluginEditorWindow.h"
#include "editor/Round.h"

namespace {
constexpr VstInt16 kSet = 0x90;
constexpr VstInt16 kNotSet = 0x80;
// Longer than any block a host hands at any sample rate, short enough that
// a playhead left over from an engine that stopped does not linger.
constexpr TimerClock::Duration kBlocksStopped{1000};

// Raising a control that already lies on top would repaint it at every
// refresh for nothing.
void KeepOnTop(TControl& c) {
  const TWinControl& parent = *c.Parent();
  for (int i = parent.ControlCount() - 1; i >= 0; --i) {
    const TControl& sibling = parent.Controls(i);
    if (sibling.IsWindowed()) continue;
    if (&sibling != &c) c.BringToFront();
    return;
  }
}
}  // namespace

void TPluginEditorWindow::RestoreWindowState() {
  // The playing step before the cells: a pattern switch the audio thread
  // made before playing that step is then in what the cells read. A step
  // that no block has published for a while is not playing: the host stopped
  // calling process without switching the plug-in off.
  const int playing = plugin.playingStep();
  const unsigned publications = plugin.playingStepPublications();
  if (publications != seenPublications_) {
    seenPublications_ = publications;
    lastPublication_ = Clock().Now();
  }
  const bool blocksCome = Clock().Now() - lastPublication_ < kBlocksStopped;
  NoteGrid->SetCurrentColumn(blocksCome ? playing : PlayingStep::kNone);

  for (int p = 0; p < 24; ++p) {
    const bool used = plugin.getPatternValue(p, 0, PatternUsed) == 1;
    const TColor usedColor = p == 21 ? editor_colors::pattern21Used : editor_colors::label;
    PatternButtons[p]->SetColor(used ? usedColor : editor_colors::frame);
    KeepOnTop(*DIBFadeLabel25);
  }

  for (int row = 0; row < 12; ++row)
    for (int step = 0; step < 32; ++step) {
      TcrCell* cell = NoteGrid->Cells(step, row);
      if (plugin.getPatternValue(step, row, StepState) == kSet) {
        cell->SetStyleIndex(plugin.getPatternValue(step, row, StepMode));
        cell->MakeVisible(true);
      } else {
        cell->SetStyleIndex(0);
      }
    }

  UpdateVelocityGrid(selectedRow);
  UpdateShiftGrid(selectedRow);

  for (int row = 0; row < 12; ++row) {
    std::string channel = std::to_string(plugin.getPatternValue(0, row, RowChannel) + 1);
    if (channel.size() == 1) channel.insert(0, 1, '0');
    BankMidiCh[row]->SetCaption(channel);
  }
  for (int row = 0; row < 12; ++row) {
    const std::string name = NoteNumberToName(plugin.getPatternValue(0, row, RowNote));
    BankNote[row]->SetCaption(name.substr(0, 2));
    BankOctave[row]->SetCaption(name.substr(2, 1));
  }

  BypassMode->SetCaption(plugin.getPatternValue(0, 0, TriggerBypass) != 0 ? " OFF " : " ON ");
}

void TPluginEditorWindow::UpdateVelocityGrid(int row) {
  int levels[32];
  for (int step = 0; step < 32; ++step)
    levels[step] = plugin.getPatternValue(step, row, StepState) == kNotSet
                       ? 0
                       : Round(plugin.getPatternValue(step, row, StepVelocity) * 64.0 / 127.0);
  QuibGauge65->SetProgress(
      Round(QuibGauge65->MaxValue() / 127.0 * plugin.getPatternValue(0, row, DefaultVelocity)));
  for (int step = 0; step < 32; ++step) VelocityGauges[step]->SetProgress(levels[step]);
}

void TPluginEditorWindow::UpdateShiftGrid(int row) {
  // The gauge spans 1/32 second each way of its middle, 32 units. The rate is
  // whatever the host reported: close to zero (or a denormal the processor
  // reads as zero) every shift but none runs off the end of the gauge, which
  // then shows its end.
  const double unitsPerSample = -1024.0 / currentSampleRate.load();
  int levels[32];
  for (int step = 0; step < 32; ++step) {
    const VstInt16 shift = plugin.getPatternValue(step, row, StepShift);
    levels[step] = plugin.getPatternValue(step, row, StepState) == kNotSet || shift == 0
                       ? 32
                       : Round(shift * unitsPerSample + 32.0);
  }
  for (int step = 0; step < 32; ++step) ShiftGauges[step]->SetProgress(levels[step]);
}
