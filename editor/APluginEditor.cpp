#include "editor/APluginEditor.h"

#include "editor/PluginEditorWindow.h"
#include "platform/NativeEditorWindow.h"
#include "platform/NativeTextRenderer.h"

APluginEditor::APluginEditor(APlugin* plugin) : AEffEditor(plugin), plugin_(*plugin) {}

APluginEditor::~APluginEditor() {
  if (editorWindow) {
    plugin_.editorClosed = true;
    FreeWindow();
  }
}

VstIntPtr APluginEditor::getRect(ERect** out) {
  rect.top = 0;
  rect.left = 0;
  if (editorWindow) {
    rect.bottom = static_cast<VstInt16>(editorWindow->Height());
    rect.right = static_cast<VstInt16>(editorWindow->Width());
  }
  if (out) *out = &rect;
  return 1;
}

VstIntPtr APluginEditor::open(void* parent) {
  parentWindow = parent;
  systemWindow = parent;
  ++openCount;
  if (openCount == 1 || !editorWindow) {
    clock_ = std::make_unique<TimerClock>();
    text_ = CreateNativeTextRenderer();
    editorWindow = std::make_unique<TPluginEditorWindow>(*text_, *clock_, plugin_);
    native_ = OpenNativeEditorWindow(parent, *editorWindow, *clock_);
    editorWindow->native = native_.get();
  }
  plugin_.editorClosed = false;
  editorWindow->PaintInvalid();
  editorWindow->updater.SetEnabled(true);
  return 1;
}

void APluginEditor::close() {
  if (openCount > 0) --openCount;
  if (openCount > 0) return;
  plugin_.editorClosed = true;
  FreeWindow();
}

void APluginEditor::idle() {
  if (plugin_.editorClosed || !editorWindow) return;
  editorWindow->RestoreWindowState();
  if (native_) native_->Idle();
}

// What the plug-in changes reaches the window at the next idle.
void APluginEditor::update() {}

void APluginEditor::FreeWindow() {
  native_.reset();
  editorWindow.reset();
  text_.reset();
  clock_.reset();
  parentWindow = nullptr;
  systemWindow = nullptr;
}
