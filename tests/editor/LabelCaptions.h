// Every label of the editor with the captions it shows over time: the row
// labels every channel, note and octave, the pattern cursor every number,
// the switch both states; the rest their one caption.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "editor/NoteConversion.h"
#include "editor/PluginEditorWindow.h"

inline std::vector<TDIBFadeLabel*> LabelsOf(TPluginEditorWindow& w) {
  std::vector<TDIBFadeLabel*> labels;
  for (int i = 0; i < w.BG->ControlCount(); ++i)
    if (auto* l = dynamic_cast<TDIBFadeLabel*>(&w.BG->Controls(i))) labels.push_back(l);
  return labels;
}

inline std::vector<std::string> CaptionsShownBy(TPluginEditorWindow& w, TDIBFadeLabel* label) {
  std::map<const TDIBFadeLabel*, std::vector<std::string>> shown;
  for (int r = 0; r < 12; ++r) {
    for (int ch = 1; ch <= 17; ++ch)
      shown[w.BankMidiCh[r]].push_back(ch < 10 ? '0' + std::to_string(ch) : std::to_string(ch));
    for (int n = 0; n <= 120; n += 1) {
      const std::string name = NoteNumberToName(n);
      shown[w.BankNote[r]].push_back(name.substr(0, 2));
      shown[w.BankOctave[r]].push_back(name.substr(2, 1));
    }
  }
  for (int n = 1; n <= 24; ++n) shown[w.DIBFadeLabel25].push_back(std::to_string(n));
  shown[w.BypassMode] = {" ON ", " OFF "};
  return shown.count(label) ? shown[label] : std::vector{label->Caption()};
}
