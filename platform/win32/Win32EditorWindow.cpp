#include "platform/win32/Win32EditorWindow.h"

#include <windowsx.h>

namespace {

constexpr wchar_t kClassName[] = L"QuaverlinEditorWindow";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 10;
// Windows outlive nothing: the class lives while one of them does, so an
// unloaded and reloaded library never finds a class with a stale procedure.
int windowsOpen = 0;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&windowsOpen), &module);
  return module;
}

std::uint8_t KeysOf(WPARAM wParam) {
  std::uint8_t keys = 0;
  if (wParam & MK_SHIFT) keys |= pkShift;
  if (wParam & MK_CONTROL) keys |= pkCtrl;
  if (GetKeyState(VK_MENU) < 0) keys |= pkAlt;
  return keys;
}

std::uint8_t BitOf(PointerButton button) {
  return static_cast<std::uint8_t>(1u << static_cast<unsigned>(button));
}

PointerEvent EventAt(PointerEvent::Kind kind, PointerButton button, std::uint8_t keys,
                     LPARAM lParam) {
  return {kind, button, keys, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
          static_cast<unsigned long>(GetMessageTime())};
}

}  // namespace

std::unique_ptr<NativeEditorWindow> OpenNativeEditorWindow(void* parent, EditorView& view,
                                                           TimerClock& clock) {
  if (!parent) return nullptr;
  return Win32EditorWindow::Open(static_cast<HWND>(parent), view, clock);
}

std::unique_ptr<Win32EditorWindow> Win32EditorWindow::Open(HWND parent, EditorView& view,
                                                           TimerClock& clock) {
  if (!IsWindow(parent)) return nullptr;
  const HINSTANCE module = ThisModule();
  if (windowsOpen == 0) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Proc;
    wc.hInstance = module;
    // No class cursor: WM_SETCURSOR asks the view which one it wants.
    wc.hCursor = nullptr;
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc)) return nullptr;
  }
  ++windowsOpen;
  std::unique_ptr<Win32EditorWindow> window(new Win32EditorWindow(view, clock));
  window->hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                                  0, view.Width(), view.Height(), parent, nullptr, module,
                                  window.get());
  if (!window->hwnd_) return nullptr;
  SetTimer(window->hwnd_, kTimerId, kTimerPeriodMs, nullptr);
  window->Refresh();
  UpdateWindow(window->hwnd_);
  return window;
}

Win32EditorWindow::Win32EditorWindow(EditorView& view, TimerClock& clock)
    : view_(view), elapsed_(clock, std::chrono::steady_clock::now()) {
  // OLE on the window's own thread, never from the library's load routine.
  const HRESULT hr = OleInitialize(nullptr);
  oleReady_ = SUCCEEDED(hr);
  dropSource_ = new TDropFileSource();
  DescribeImage();
}

void Win32EditorWindow::DescribeImage() {
  BITMAPINFOHEADER& h = bitmapInfo_.bmiHeader;
  h.biSize = sizeof h;
  h.biWidth = view_.Width();
  h.biHeight = -view_.Height();  // top-down, as the surface's rows lie
  h.biPlanes = 1;
  h.biBitCount = 32;
  h.biCompression = BI_RGB;
}

void Win32EditorWindow::Resize() {
  DescribeImage();
  SetWindowPos(hwnd_, nullptr, 0, 0, view_.Width(), view_.Height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (view_.NeedsPaint()) view_.PaintInvalid();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

Win32EditorWindow::~Win32EditorWindow() {
  if (hwnd_) {
    KillTimer(hwnd_, kTimerId);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  dropSource_->Release();
  if (oleReady_) OleUninitialize();
  if (--windowsOpen == 0) UnregisterClassW(kClassName, ThisModule());
}

LRESULT CALLBACK Win32EditorWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32EditorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32EditorWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (!self->hwnd_) self->hwnd_ = hwnd;
  return self->Handle(message, wParam, lParam);
}

LRESULT Win32EditorWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 0;  // the view paints every pixel
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      ShowCursor();
      return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
      if (wParam != kTimerId) break;
      elapsed_.CatchUp();
      Refresh();
      return 0;
    case WM_LBUTTONDOWN: Press(PointerButton::Left, wParam, lParam, false); return 0;
    case WM_RBUTTONDOWN: Press(PointerButton::Right, wParam, lParam, false); return 0;
    case WM_MBUTTONDOWN: Press(PointerButton::Middle, wParam, lParam, false); return 0;
    case WM_LBUTTONDBLCLK: Press(PointerButton::Left, wParam, lParam, true); return 0;
    case WM_RBUTTONDBLCLK: Press(PointerButton::Right, wParam, lParam, true); return 0;
    case WM_MBUTTONDBLCLK: Press(PointerButton::Middle, wParam, lParam, true); return 0;
    case WM_LBUTTONUP: Release(PointerButton::Left, wParam, lParam); return 0;
    case WM_RBUTTONUP: Release(PointerButton::Right, wParam, lParam); return 0;
    case WM_MBUTTONUP: Release(PointerButton::Middle, wParam, lParam); return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      view_.Pointer(EventAt(PointerEvent::Move, PointerButton::Left, KeysOf(wParam), lParam));
      Refresh();
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      view_.PointerLeave();
      Refresh();
      return 0;
    case WM_KEYDOWN:
      if (CommandKey(wParam)) {
        Refresh();
        return 0;
      }
      break;
    case WM_CHAR:
      // Ctrl with a letter types a control character: the command went to
      // the view as the key went down.
      if (wParam >= 1 && wParam <= 26 && GetKeyState(VK_CONTROL) < 0) return 0;
      if (wParam < 256) view_.Key(static_cast<char>(wParam));
      Refresh();
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// A letter's virtual key is its upper-case character. The keys held come
// from the thread's key state, as the message itself does not carry them.
bool Win32EditorWindow::CommandKey(WPARAM virtualKey) {
  if (virtualKey < 'A' || virtualKey > 'Z' || GetKeyState(VK_CONTROL) >= 0) return false;
  std::uint8_t keys = pkCtrl;
  if (GetKeyState(VK_SHIFT) < 0) keys |= pkShift;
  if (GetKeyState(VK_MENU) < 0) keys |= pkAlt;
  return view_.CommandKey(static_cast<char>(virtualKey - 'A' + 'a'), keys);
}

void Win32EditorWindow::Press(PointerButton button, WPARAM wParam, LPARAM lParam, bool twice) {
  // A press from a modal loop inside another press waits its turn.
  if (inPress_) return;
  // A click gives the editor the keyboard, for its command keys.
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  if (held_ == 0) SetCapture(hwnd_);
  held_ |= BitOf(button);
  std::uint8_t keys = KeysOf(wParam);
  if (twice) keys |= pkDouble;
  inPress_ = true;
  releaseTaken_ = false;
  view_.Pointer(EventAt(PointerEvent::Press, button, keys, lParam));
  inPress_ = false;
  if (releaseTaken_) {
    // The drag loop or the message box swallowed the release: tell the view.
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(hwnd_, &at);
    held_ &= static_cast<std::uint8_t>(~BitOf(button));
    if (held_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
    view_.Pointer({PointerEvent::Release, button, 0, at.x, at.y,
                   static_cast<unsigned long>(GetMessageTime())});
  }
  Refresh();
}

void Win32EditorWindow::Release(PointerButton button, WPARAM wParam, LPARAM lParam) {
  if (!(held_ & BitOf(button))) return;  // its press was never ours
  held_ &= static_cast<std::uint8_t>(~BitOf(button));
  if (held_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
  view_.Pointer(EventAt(PointerEvent::Release, button, KeysOf(wParam), lParam));
  Refresh();
}

void Win32EditorWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (view_.NeedsPaint()) view_.PaintInvalid();
  const Surface& image = view_.Image();
  // The whole surface: the update region clips it to what needs it.
  StretchDIBits(dc, 0, 0, image.Width(), image.Height(), 0, 0, image.Width(), image.Height(),
                image.Row(0), &bitmapInfo_, DIB_RGB_COLORS, SRCCOPY);
  EndPaint(hwnd_, &ps);
}

void Win32EditorWindow::Refresh() {
  if (!view_.NeedsPaint()) return;
  for (const TRect& r : view_.PaintInvalid()) {
    const RECT area{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(hwnd_, &area, FALSE);
  }
}

void Win32EditorWindow::Idle() { Refresh(); }

void Win32EditorWindow::ShowCursor() {
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(hwnd_, &at);
  const bool cross = view_.CursorAt(at.x, at.y) == ViewCursor::CrossHair;
  SetCursor(LoadCursor(nullptr, cross ? IDC_CROSS : IDC_ARROW));
}

bool Win32EditorWindow::DragFileOut(const std::string& path, DragEnded ended) {
  if (!oleReady_ || !inPress_) return false;
  dropSource_->Files.assign(1, path);
  // DoDragDrop captures the mouse itself and ends on the release.
  ReleaseCapture();
  const TDragResult result = dropSource_->BeginFileDrag();
  releaseTaken_ = true;
  if (ended)
    ended(result == TDragResult::drDropCopy || result == TDragResult::drDropMove ||
          result == TDragResult::drDropLink);
  return true;
}

void Win32EditorWindow::ShowMessage(const std::string& text) {
  if (inPress_) {
    // The box takes the mouse; the press's release will not reach us.
    ReleaseCapture();
    releaseTaken_ = true;
  }
  MessageBoxA(hwnd_, text.c_str(), "Quaverlin", MB_OK | MB_ICONERROR);
}
