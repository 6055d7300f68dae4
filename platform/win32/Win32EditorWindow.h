// The editor on Windows: a child window of the host's window that shows the
// view's picture, feeds it the mouse, drives its timers and drags files out
// over OLE, which it initialises on its own thread while it is open.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/EditorView.h"
#include "platform/ElapsedClock.h"
#include "platform/NativeEditorWindow.h"
#include "platform/win32/DropFileSource.h"

class Win32EditorWindow final : public NativeEditorWindow {
public:
  // Null when the parent is not a window.
  static std::unique_ptr<Win32EditorWindow> Open(HWND parent, EditorView& view, TimerClock& clock);
  ~Win32EditorWindow() override;

  void Idle() override;
  bool DragFileOut(const std::string& path, DragEnded ended) override;
  void ShowMessage(const std::string& text) override;
  void Resize() override;

  HWND Handle() const { return hwnd_; }

private:
  Win32EditorWindow(EditorView& view, TimerClock& clock);
  // The picture's header follows the view's size.
  void DescribeImage();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Press(PointerButton button, WPARAM wParam, LPARAM lParam, bool twice);
  void Release(PointerButton button, WPARAM wParam, LPARAM lParam);
  // Ctrl with a letter: a command for the view. Answers whether it took it.
  bool CommandKey(WPARAM virtualKey);
  // The cursor the view wants where the pointer is.
  void ShowCursor();
  void Paint();
  // Paints what the view invalidated and has Windows repaint it on screen.
  void Refresh();

  EditorView& view_;
  ElapsedClock elapsed_;
  HWND hwnd_ = nullptr;
  bool oleReady_ = false;
  TDropFileSource* dropSource_ = nullptr;
  BITMAPINFO bitmapInfo_{};
  std::uint8_t held_ = 0;       // the buttons whose press the view was told of
  bool inPress_ = false;        // a press is being handled
  bool releaseTaken_ = false;   // a drag or a message box took that press's release
  bool tracking_ = false;       // asked for WM_MOUSELEAVE
};
