#include "editor/APluginEditor.h"

#include "editor/EditCommands.h"
#include "editor/FormView.h"
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
  if (askedScale_) {
    // The host, asked for a new size, may check it here before agreeing.
    const Scale asked(askedScale_);
    rect.bottom = static_cast<VstInt16>(asked.ToDevice(TPluginEditorWindow::kClientHeight));
    rect.right = static_cast<VstInt16>(asked.ToDevice(TPluginEditorWindow::kClientWidth));
  } else if (editorWindow) {
    // The window's size in device pixels, at its scale.
    rect.bottom = static_cast<VstInt16>(editorWindow->Image().Height());
    rect.right = static_cast<VstInt16>(editorWindow->Image().Width());
  }
  if (out) *out = &rect;
  return 1;
}

VstIntPtr APluginEditor::open(void* parent) {
  if (!parent) return 0;
  return Open(parent) ? 1 : 0;
}

VstIntPtr APluginEditor::openHeadless() { return Open(nullptr) ? 1 : 0; }

bool APluginEditor::Open(void* parent) {
  if (openCount == 0 || !editorWindow) {
    if (!scaleGiven_) scale_ = OpeningScale(parent);
    clock_ = std::make_unique<TimerClock>();
    text_ = CreateNativeTextRenderer();
    editorWindow = std::make_unique<TPluginEditorWindow>(*text_, *clock_, plugin_, Scale(scale_));
    view_ = std::make_unique<FormView>(*editorWindow,
                                       std::vector<const TControl*>{editorWindow->NoteGrid});
    if (parent) {
      native_ = OpenNativeEditorWindow(parent, *view_, *clock_);
      if (!native_) {
        FreeWindow();
        return false;
      }
    }
    editorWindow->native = native_.get();
    editorWindow->ShowScale(scale_);
  }
  parentWindow = parent;
  systemWindow = parent;
  ++openCount;
  plugin_.editorClosed = false;
  editorWindow->PaintInvalid();
  editorWindow->updater.SetEnabled(true);
  return true;
}

void APluginEditor::close() {
  if (openCount > 0) --openCount;
  if (openCount > 0) return;
  plugin_.editorClosed = true;
  FreeWindow();
}

void APluginEditor::idle() {
  if (plugin_.editorClosed || !editorWindow) return;
  CarryOutScaleRequest();
  editorWindow->RestoreWindowState();
  if (native_) native_->Idle();
}

void APluginEditor::setScale(int percent) {
  if (!Scale::Offered(percent)) return;
  if (!editorWindow) scaleGiven_ = true;
  if (percent == scale_) return;
  scale_ = percent;
  if (!editorWindow) return;
  editorWindow->ApplyScale(Scale(percent));
  if (native_)
    native_->Resize();
  else
    editorWindow->PaintInvalid();
}

// What the plug-in changes reaches the window at the next idle.
void APluginEditor::update() {}

namespace {

// Hosts report Ctrl as MODIFIER_CONTROL, some as MODIFIER_COMMAND.
constexpr unsigned char kModifierShift = 1;
constexpr unsigned char kModifierCommand = 4;
constexpr unsigned char kModifierControl = 8;

VstInt32 LowerCase(VstInt32 c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

EditCommand CommandOf(const VstKeyCode& key) {
  if (key.character <= 0 || key.character > 127) return EditCommand::None;
  return EditCommandFor(static_cast<char>(key.character),
                        (key.modifier & (kModifierControl | kModifierCommand)) != 0,
                        (key.modifier & kModifierShift) != 0);
}

}  // namespace

VstInt32 APluginEditor::onKeyDown(VstKeyCode& key) {
  const bool used = RunEditCommand(plugin_, CommandOf(key));
  usedKey_ = used ? key.character : 0;
  return used ? 1 : AEffEditor::onKeyDown(key);
}

VstInt32 APluginEditor::onKeyUp(VstKeyCode& key) {
  // Ctrl may already be up when the letter is: the letter alone tells.
  const bool used = usedKey_ != 0 && LowerCase(key.character) == LowerCase(usedKey_);
  if (used) usedKey_ = 0;
  return used ? 1 : AEffEditor::onKeyUp(key);
}

void APluginEditor::FreeWindow() {
  // A gesture the window can no longer finish ends here.
  plugin_.endEditAction();
  native_.reset();
  view_.reset();
  editorWindow.reset();
  text_.reset();
  clock_.reset();
  parentWindow = nullptr;
  systemWindow = nullptr;
}
