// The user's choice of the editor's scale: found in the user's settings (or
// from the screen's density) when the editor opens, and carried out when
// the user picks another one on the about page, if the host agrees to the
// new size. Only the editor's thread comes here.
#include "editor/APluginEditor.h"
#include "editor/ScaleSettings.h"
#include "editor/PluginEditorWindow.h"
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
  if (!wanted || *wanted == scale()) return;
  const int before = scale();
  // The host may ask for the editor's size while it resizes its window:
  // the editor has it already.
  setScale(*wanted);
  ERect* size = nullptr;
  getRect(&size);
  if (plugin_.sizeWindow(size->right - size->left, size->bottom - size->top)) {
    const std::string path = UserSettingsPath();
    // Failing to remember changes nothing the user sees now.
    WriteSettingsText(path, SettingsWithScale(ReadSettingsText(path).value_or(""), *wanted));
  } else {
    setScale(before);
  }
  editorWindow->ShowScale(scale());
}
