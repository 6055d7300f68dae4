// Handlers whose behaviour is not built yet: bound, and doing nothing.
#include "editor/PluginEditorWindow.h"

void TPluginEditorWindow::NoteGridCellMouseDown(TControl*, TShiftState, TcrCell*) {}
void TPluginEditorWindow::NoteGridCellMouseCellEnter(TControl*, TShiftState, TcrCell*) {}
void TPluginEditorWindow::MidiChannelChange(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::NoteChange(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::OctaveChange(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::SldMouseMove(TControl*, TShiftState, int, int) {}
void TPluginEditorWindow::ShiftSldMouseMove(TControl*, TShiftState, int, int) {}
void TPluginEditorWindow::GlobalVelocityMouseMove(TControl*, TShiftState, int, int) {}
void TPluginEditorWindow::VelocityPresetButton(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::SelectPatternMouseDown(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::VelocityButtonMouseDown(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::ShiftButtonMouseDown(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::AboutButtonMouseDown(TControl*, TMouseButton, TShiftState, int, int) {}
void TPluginEditorWindow::DragandDropButtonMouseDown(TControl*, TMouseButton, TShiftState, int,
                                                     int) {}
void TPluginEditorWindow::ClearPatternButtonMouseDown(TControl*, TMouseButton, TShiftState, int,
                                                      int) {}
void TPluginEditorWindow::BypassSwitch(TControl*, TMouseButton, TShiftState, int, int) {}
