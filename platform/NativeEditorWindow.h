#pragma once
#include <functional>
#include <memory>
#include <string>
class EditorView;
class TimerClock;
// The native side of an open editor: a child window of the host's window
// that shows the view's picture and feeds it the user's input.
class NativeEditorWindow {
public:
  // How a drag ended: true when a target took the file.
  using DragEnded = std::function<void(bool dropped)>;

  virtual ~NativeEditorWindow() = default;
  // Called from every effEditIdle: handles pending window-system events,
  // advances the timer clock to now, presents what the view repainted.
  // Never waits for anything.
  virtual void Idle() = 0;
  // Starts a copy drag of the file at `path` out of the window; false when
  // none could start. `ended` (may be empty) hears the outcome once the
  // user has dropped or cancelled: on Windows before this returns, on
  // Linux from a later idle call, as the drag runs alongside the host.
  // Called from a press, so the pressed button is still held.
  virtual bool DragFileOut(const std::string& path, DragEnded ended) = 0;
  // Tells the user something went wrong (a message box owned by the window,
  // or a message over the window until the next click). Never throws.
  virtual void ShowMessage(const std::string& text) = 0;
  // The view changed its size: the window takes the new size and shows
  // the view whole.
  virtual void Resize() = 0;
};
// Shows `view` in a child window of `parent` (an X11 Window id on Linux,
// an HWND on Windows) at (0, 0) with the view's size; `clock` is moved on
// to the wall clock at every idle. Null when there is no parent, no window
// system or the parent is no window: the editor then has nothing to show.
std::unique_ptr<NativeEditorWindow> OpenNativeEditorWindow(void* parent, EditorView& view,
                                                           TimerClock& clock);
