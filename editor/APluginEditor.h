// APluginEditor: the bridge between the host's editor opcodes and the
// editor window. It owns the window while the host has it open and makes
// it re-read the plug-in at every idle call; it holds no sequencer data.
#pragma once

#include <memory>

#include "engine/APlugin.h"

class NativeEditorWindow;
class TextRenderer;
class TimerClock;
class TPluginEditorWindow;

class APluginEditor : public AEffEditor {
public:
  explicit APluginEditor(APlugin* plugin);
  ~APluginEditor() override;

  VstIntPtr getRect(ERect** rect) override;
  VstIntPtr open(void* parentWindow) override;
  void close() override;
  void idle() override;
  void update() override;

  // The open window, or null.
  TPluginEditorWindow* window() const { return editorWindow.get(); }
  VstInt32 OpenCount() const { return openCount; }

private:
  void FreeWindow();

  APlugin& plugin_;
  ERect rect{};
  VstInt32 openCount = 0;
  // What the window draws text and runs its timers with, made for it.
  std::unique_ptr<TimerClock> clock_;
  std::unique_ptr<TextRenderer> text_;
  std::unique_ptr<TPluginEditorWindow> editorWindow;
  std::unique_ptr<NativeEditorWindow> native_;
  void* parentWindow = nullptr;
};
