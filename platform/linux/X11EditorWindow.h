// The editor on Linux: a child of the host's X11 window on a display
// connection of the plug-in's own, pumped from the host's idle calls.
// Every request on that connection is made under an error trap: the host
// may destroy the parent window, and the editor's with it, at any time.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/EditorView.h"
#include "platform/ElapsedClock.h"
#include "platform/NativeEditorWindow.h"
#include "platform/linux/MessageOverlay.h"

// Xlib stays out of this header: its macros (KeyPress, None, Window) clash
// with the names of code that includes it.
struct _XDisplay;
struct _XGC;
struct _XImage;
union _XEvent;
class XdndDrag;

class X11EditorWindow final : public NativeEditorWindow {
public:
  using Window = unsigned long;
  // Null when there is no X server to talk to or the parent is not a window.
  static std::unique_ptr<X11EditorWindow> Open(Window parent, EditorView& view, TimerClock& clock);
  ~X11EditorWindow() override;

  void Idle() override;
  bool DragFileOut(const std::string& path, DragEnded ended) override;
  void ShowMessage(const std::string& text) override;
  void Resize() override;

  Window Handle() const { return window_; }

private:
  X11EditorWindow(_XDisplay* display, EditorView& view, TimerClock& clock);
  bool Create(Window parent);
  // The image header that puts pixels of this size on the screen.
  void MakeImage(int width, int height);
  void DismissMessage();
  // Handles every event that has arrived, in the order the server sent them.
  void Pump();
  void Handle(_XEvent& e);
  void Press(const _XEvent& e);
  void Release(const _XEvent& e);
  void Move(const _XEvent& e);
  void Type(_XEvent& e);
  void Uncover(const _XEvent& e);
  void ShowCursorAt(int x, int y);
  void EndDragIfFinished();
  // Paints what the view invalidated and puts it on the screen.
  void Refresh();
  void Present(const std::vector<TRect>& rects);
  void PutOnScreen(const TRect& r);

  _XDisplay* display_;
  EditorView& view_;
  ElapsedClock elapsed_;
  Window window_ = 0;
  bool gone_ = false;  // the server destroyed the window with its parent
  unsigned long colormap_ = 0;
  unsigned long crossHair_ = 0;
  ViewCursor cursor_ = ViewCursor::Arrow;
  _XGC* gc_ = nullptr;
  _XImage* image_ = nullptr;
  std::optional<MessageOverlay> message_;
  // While a message is up, what the window shows: the view with the
  // message over it. Otherwise the window shows the view's own pixels, and
  // the editor holds no second copy of its picture.
  Surface withMessage_;
  std::unique_ptr<XdndDrag> drag_;
  DragEnded dragEnded_;

  const _XEvent* pressing_ = nullptr;  // the press being handled, null outside one
  unsigned swallowButton_ = 0;  // the release of the click that dismissed a message
  unsigned long lastPressTime_ = 0;
  unsigned lastPressButton_ = 0;
  TPoint lastPressAt_;
};
