// The editor on Linux: a child of the host's X11 window on a display
// connection of the plug-in's own, pumped from the host's idle calls.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/ElapsedClock.h"
#include "platform/NativeEditorWindow.h"
#include "platform/linux/MessageOverlay.h"
#include "widgets/Form.h"

// Xlib's headers define macros (KeyPress, PlaceOnTop) that clash with the
// control tree's names: only the implementation includes them.
struct _XDisplay;
struct _XGC;
struct _XImage;
union _XEvent;

class X11EditorWindow final : public NativeEditorWindow {
public:
  // Null when there is no X server to talk to or the parent is not a window.
  using Window = unsigned long;
  static std::unique_ptr<X11EditorWindow> Open(Window parent, TForm& form, TimerClock& clock);
  ~X11EditorWindow() override;

  void Idle() override;
  bool DragFileOut(const std::string& path) override;
  void ShowMessage(const std::string& text) override;

  Window Handle() const { return window_; }

private:
  X11EditorWindow(_XDisplay* display, TForm& form, TimerClock& clock);
  bool Create(Window parent);
  void Handle(_XEvent& e);
  void Press(const _XEvent& e);
  void Release(const _XEvent& e);
  void Move(_XEvent& e);
  void Type(_XEvent& e);
  void Uncover(const _XEvent& e);
  // Paints what the form invalidated and puts it on the screen.
  void Refresh();
  void Present(const std::vector<TRect>& rects);
  void PutOnScreen(const TRect& r);

  _XDisplay* display_;
  TForm& form_;
  ElapsedClock elapsed_;
  Window window_ = 0;
  unsigned long colormap_ = 0;
  _XGC* gc_ = nullptr;
  _XImage* image_ = nullptr;
  Surface shown_;  // what the window shows: the form, and a message over it
  std::optional<MessageOverlay> message_;

  unsigned heldButton_ = 0;  // the X button of the press being handled, 0 outside one
  bool releaseSeen_ = false;  // a drag in that press took the release away from us
  TPoint releaseAt_;
  unsigned swallowButton_ = 0;  // the release of the click that dismissed a message
  unsigned long lastPressTime_ = 0;
  unsigned lastPressButton_ = 0;
  TPoint lastPressAt_;
};
