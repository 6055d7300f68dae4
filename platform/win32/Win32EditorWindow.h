// The editor on Windows: a child window of the host's window that shows the
// form's surface, feeds it the mouse, drives its timers and drags files out
// over OLE, which it initialises on its own thread while it is open.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/ElapsedClock.h"
#include "platform/NativeEditorWindow.h"
#include "platform/win32/DropFileSource.h"
#include "widgets/Form.h"

class Win32EditorWindow final : public NativeEditorWindow {
public:
  // Null when the parent is not a window.
  static std::unique_ptr<Win32EditorWindow> Open(HWND parent, TForm& form, TimerClock& clock);
  ~Win32EditorWindow() override;

  void Idle() override;
  bool DragFileOut(const std::string& path) override;
  void ShowMessage(const std::string& text) override;

  HWND Handle() const { return hwnd_; }

private:
  Win32EditorWindow(TForm& form, TimerClock& clock);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Press(TMouseButton button, WPARAM wParam, LPARAM lParam, bool twice);
  void Release(TMouseButton button, WPARAM wParam, LPARAM lParam);
  void Paint();
  // Paints what the form invalidated and has Windows repaint it on screen.
  void Refresh();

  TForm& form_;
  ElapsedClock elapsed_;
  HWND hwnd_ = nullptr;
  bool oleReady_ = false;
  TDropFileSource* dropSource_ = nullptr;
  BITMAPINFO bitmapInfo_{};
  std::uint8_t held_ = 0;       // the form's button flags we told it are down
  bool inPress_ = false;        // a press is being handled
  bool releaseTaken_ = false;   // a drag or a message box took that press's release
  bool tracking_ = false;       // asked for WM_MOUSELEAVE
};
