#include "editor/PluginEditorWindow.h"

int selectedRow = 0;

TPluginEditorWindow::TPluginEditorWindow(TextRenderer& text, TimerClock& clock, APlugin& plugin)
    : TForm(text, clock, kClientWidth, kClientHeight), plugin(plugin), updater(&clock) {
  // The timer runs only once the bridge has opened the window.
  updater.SetEnabled(false);
  updater.SetInterval(100);
  BeginLoading();
  CreateComponents();
  EndLoading();
  BindEvents();
}

TPluginEditorWindow::~TPluginEditorWindow() {
  // The components go first: they still refer to the image list.
  DestroyChildren();
}
