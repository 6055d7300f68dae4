// The editor's command keys: Ctrl+Z takes the last edit back, Ctrl+Shift+Z
// and Ctrl+Y do it again. The window's keys and the host's forwarded keys
// (effEditKeyDown) both come here.
#pragma once

class APlugin;

enum class EditCommand { None, Undo, Redo };

// Hosts differ in the case of the letter they report: either case does.
EditCommand EditCommandFor(char letter, bool ctrl, bool shift);
// Answers whether there was an edit to take back or do again.
bool RunEditCommand(APlugin& plugin, EditCommand command);
