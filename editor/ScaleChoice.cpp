// The user's choice of the editor's scale: found in the user's settings (or
// from the screen's density) when the editor opens, and carried out when
// the user picks another one on the about page, if the host agrees to the
// new size. Only the editor's thread comes here.
#include "editor/APluginEditor.h"
#include "editor/PluginEditorWindow.h"
#include "editor/ScaleSettings.h"
#include "platform/ScreenDensity.h"
#include "platform/UserSettingsFile.h"

int APluginEditor::OpeningScale(void* parent) {
  if (const auto settings = ReadSettingsText(UserSettingsPath()))
    if (const auto remembered = ScaleInSettings(*settings)) return *remembered;
  // A headless editor has no screen: it opens at full size.
  return ScaleForDpi(parent ? ScreenDpi(parent) : 0);
}

void APluginEditor::CarryOutScaleRequest() {
  const auto wanted = editorWindow->TakeScaleRequest();
  if (!wanted || *wanted == scale() || !Scale::Offered(*wanted)) return;
  // The host hears the new size first: a refusal leaves the window untouched.
  const Scale next(*wanted);
  askedScale_ = *wanted;
  const bool granted = plugin_.sizeWindow(next.ToDevice(TPluginEditorWindow::kClientWidth),
                                          next.ToDevice(TPluginEditorWindow::kClientHeight));
  askedScale_ = 0;
  if (!granted) return;
  setScale(*wanted);
  // From now on every open follows the user's choice, wherever it was made.
  scaleGiven_ = false;
  editorWindow->ShowScale(scale());
  const std::string path = UserSettingsPath();
  // Failing to remember changes nothing the user sees now.
  WriteSettingsText(path, SettingsWithScale(ReadSettingsText(path).value_or(""), *wanted));
}
