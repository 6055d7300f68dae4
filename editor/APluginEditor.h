// APluginEditor: the bridge between the host's editor opcodes and the
// editor window. It owns the window while the host has it open and makes
// it re-read the plug-in at every idle call; it holds no sequencer data.
#pragma once

#include <memory>

#include "engine/APlugin.h"

class FormView;
class NativeEditorWindow;
class TextRenderer;
class TimerClock;
class TPluginEditorWindow;

class APluginEditor : public AEffEditor {
public:
  explicit APluginEditor(APlugin* plugin);
  ~APluginEditor() override;

  VstIntPtr getRect(ERect** rect) override;
  // 0, and nothing created, when there is no parent or no window system.
  VstIntPtr open(void* parentWindow) override;
  // Opens the window with nothing to show it in, as open does otherwise:
  // how tests drive the editor without a window system.
  VstIntPtr openHeadless();
  void close() override;
  void idle() override;
  void update() override;
  // Undo and redo keys forwarded by the host: 1 for a key that undid or
  // redid an edit (and for its release); any other key gets the base's
  // answer, as it did before the editor used keys.
  VstInt32 onKeyDown(VstKeyCode& keyCode) override;
  VstInt32 onKeyUp(VstKeyCode& keyCode) override;

  // The scale the editor is drawn at, in percent: 100, 150 or 200.
  int scale() const { return scale_; }
  // An open window is drawn anew at the scale at once and its native
  // window takes the new size, which getRect answers from then on; a
  // closed editor opens at it from then on, in place of the user's
  // remembered scale, until the user picks one in the window. Percentages
  // not offered change nothing.
  void setScale(int percent);

  // The open window, or null.
  TPluginEditorWindow* window() const { return editorWindow.get(); }
  VstInt32 OpenCount() const { return openCount; }

private:
  // Counts an open and makes the window on the first; `parent` null
  // makes it headless. False, with nothing created, when the native
  // window could not be made.
  bool Open(void* parent);
  void FreeWindow();
  // The scale the editor opens at: the user's remembered choice, else the
  // one the density of the screen under `parent` calls for.
  static int OpeningScale(void* parent);
  // The scale the user picked in the window, if any, once the host has
  // agreed to the new size; the choice is then remembered for the user.
  void CarryOutScaleRequest();

  APlugin& plugin_;
  ERect rect{};
  VstInt32 openCount = 0;
  int scale_ = 100;
  // setScale chose the scale of the opens to come.
  bool scaleGiven_ = false;
  // The scale whose size the host is being asked for, 0 outside that call.
  int askedScale_ = 0;
  // What the window draws text and runs its timers with, made for it.
  std::unique_ptr<TimerClock> clock_;
  std::unique_ptr<TextRenderer> text_;
  std::unique_ptr<TPluginEditorWindow> editorWindow;
  std::unique_ptr<FormView> view_;
  std::unique_ptr<NativeEditorWindow> native_;
  void* parentWindow = nullptr;
  // The key whose press undid or redid something, until its release.
  VstInt32 usedKey_ = 0;
};
