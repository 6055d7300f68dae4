#pragma once
#include <memory>
#include <string>
class TForm;
class TimerClock;
// The native side of an open editor: a child window of the host's window
// that shows the form's surface and feeds it the user's input.
class NativeEditorWindow {
public:
  virtual ~NativeEditorWindow() = default;
  // Called from every effEditIdle: handles pending window-system events,
  // advances the form's timer clock to now, presents what the form repainted.
  virtual void Idle() = 0;
  // Starts a copy drag of the file at `path` out of the window and returns
  // when the user has dropped or cancelled it; true when a target took it.
  // Called from a mouse-down handler, so the pressed button is still held.
  virtual bool DragFileOut(const std::string& path) = 0;
  // Tells the user something went wrong (a message box owned by the window,
  // or a message over the window until the next click). Never throws.
  virtual void ShowMessage(const std::string& text) = 0;
};
// Shows `form` in a child window of `parent` (an X11 Window id on Linux,
// an HWND on Windows) at (0, 0) with the form's size. A null parent
// answers null: the editor then runs headless (tests).
std::unique_ptr<NativeEditorWindow> OpenNativeEditorWindow(void* parent, TForm& form, TimerClock& clock);
