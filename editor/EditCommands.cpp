#include "editor/EditCommands.h"

#include "editor/PluginEditorWindow.h"

EditCommand EditCommandFor(char letter, bool ctrl, bool shift) {
  if (!ctrl) return EditCommand::None;
  if (letter == 'z' || letter == 'Z') return shift ? EditCommand::Redo : EditCommand::Undo;
  if (letter == 'y' || letter == 'Y') return EditCommand::Redo;
  return EditCommand::None;
}

bool RunEditCommand(APlugin& plugin, EditCommand command) {
  switch (command) {
    case EditCommand::Undo: return plugin.undoEdit();
    case EditCommand::Redo: return plugin.redoEdit();
    case EditCommand::None: break;
  }
  return false;
}

// The window's part: each gesture is one edit action, and the command keys
// reach the plug-in's history, which outlives the window.
void TPluginEditorWindow::GestureStarts() { plugin.beginEditAction(); }
void TPluginEditorWindow::GestureEnds() { plugin.endEditAction(); }

bool TPluginEditorWindow::CommandKey(char letter, TShiftState keys) {
  return RunEditCommand(plugin,
                        EditCommandFor(letter, keys.Contains(ssCtrl), keys.Contains(ssShift)));
}
