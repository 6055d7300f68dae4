// The note grid and the row labels: painting and erasing cells, the row
// marker, and stepping each row's channel, pitch and octave.
#include "editor/PluginEditorWindow.h"

void TPluginEditorWindow::UpdateBankIndicator(int row) {
  if (row < 0 || row > 11) return;
  BankHighLight->SetTop(BankHighLights[row]->Top());
}
