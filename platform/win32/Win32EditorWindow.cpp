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

TShiftState KeysOf(WPARAM wParam) {
  std::uint8_t bits = 0;
  if (wParam & MK_SHIFT) bits |= ssShift;
  if (wParam & MK_CONTROL) bits |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) bits |= ssAlt;
  return TShiftState::FromBits(bits);
}

}  // namespace

std::unique_ptr<NativeEditorWindow> OpenNativeEditorWindow(void* parent, TForm& form,
                                                           TimerClock& clock) {
  if (!parent) return nullptr;
  return Win32EditorWindow::Open(static_cast<HWND>(parent), form, clock);
}

std::unique_ptr<Win32EditorWindow> Win32EditorWindow::Open(HWND parent, TForm& form,
                                                           TimerClock& clock) {
  if (!IsWindow(parent)) return nullptr;
  const HINSTANCE module = ThisModule();
  if (windowsOpen == 0) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Proc;
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc)) return nullptr;
  }
  ++windowsOpen;
  std::unique_ptr<Win32EditorWindow> window(new Win32EditorWindow(form, clock));
  window->hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                                  0, form.Width(), form.Height(), parent, nullptr, module,
                                  window.get());
  if (!window->hwnd_) return nullptr;
  SetTimer(window->hwnd_, kTimerId, kTimerPeriodMs, nullptr);
  window->Refresh();
  UpdateWindow(window->hwnd_);
  return window;
}

Win32EditorWindow::Win32EditorWindow(TForm& form, TimerClock& clock)
    : form_(form), elapsed_(clock, std::chrono::steady_clock::now()) {
  // OLE on the window's own thread, never from the library's load routine.
  const HRESULT hr = OleInitialize(nullptr);
  oleReady_ = SUCCEEDED(hr);
  dropSource_ = new TDropFileSource();
  BITMAPINFOHEADER& h = bitmapInfo_.bmiHeader;
  h.biSize = sizeof h;
  h.biWidth = form.Width();
  h.biHeight = -form.Height();  // top-down, as the surface's rows lie
  h.biPlanes = 1;
  h.biBitCount = 32;
  h.biCompression = BI_RGB;
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
    case WM_ERASEBKGND: return 0;  // the form paints every pixel
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
      if (wParam != kTimerId) break;
      elapsed_.CatchUp();
      Refresh();
      return 0;
    case WM_LBUTTONDOWN: Press(TMouseButton::mbLeft, wParam, lParam, false); return 0;
    case WM_RBUTTONDOWN: Press(TMouseButton::mbRight, wParam, lParam, false); return 0;
    case WM_MBUTTONDOWN: Press(TMouseButton::mbMiddle, wParam, lParam, false); return 0;
    case WM_LBUTTONDBLCLK: Press(TMouseButton::mbLeft, wParam, lParam, true); return 0;
    case WM_RBUTTONDBLCLK: Press(TMouseButton::mbRight, wParam, lParam, true); return 0;
    case WM_MBUTTONDBLCLK: Press(TMouseButton::mbMiddle, wParam, lParam, true); return 0;
    case WM_LBUTTONUP: Release(TMouseButton::mbLeft, wParam, lParam); return 0;
    case WM_RBUTTONUP: Release(TMouseButton::mbRight, wParam, lParam); return 0;
    case WM_MBUTTONUP: Release(TMouseButton::mbMiddle, wParam, lParam); return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      form_.PointerMove(KeysOf(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      Refresh();
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      form_.PointerLeave();
      Refresh();
      return 0;
    case WM_CHAR:
      if (wParam < 256) form_.KeyPress(static_cast<char>(wParam));
      Refresh();
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32EditorWindow::Press(TMouseButton button, WPARAM wParam, LPARAM lParam, bool twice) {
  // A press from a modal loop inside another press waits its turn.
  if (inPress_) return;
  if (held_ == 0) SetCapture(hwnd_);
  held_ |= ShiftFlagOf(button);
  TShiftState keys = KeysOf(wParam);
  if (twice) keys = TShiftState::FromBits(keys.Bits() | ssDouble);
  inPress_ = true;
  releaseTaken_ = false;
  form_.PointerDown(button, keys, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  inPress_ = false;
  if (releaseTaken_) {
    // The drag loop or the message box swallowed the release: tell the form.
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(hwnd_, &at);
    held_ &= static_cast<std::uint8_t>(~ShiftFlagOf(button));
    if (held_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
    form_.PointerUp(button, KeysOf(0), at.x, at.y);
  }
  Refresh();
}

void Win32EditorWindow::Release(TMouseButton button, WPARAM wParam, LPARAM lParam) {
  if (!(held_ & ShiftFlagOf(button))) return;  // its press was never ours
  held_ &= static_cast<std::uint8_t>(~ShiftFlagOf(button));
  if (held_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
  form_.PointerUp(button, KeysOf(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  Refresh();
}

void Win32EditorWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (form_.NeedsPaint()) form_.PaintInvalid();
  const Surface& image = form_.Image();
  // The whole surface: the update region clips it to what needs it.
  StretchDIBits(dc, 0, 0, image.Width(), image.Height(), 0, 0, image.Width(), image.Height(),
                image.Row(0), &bitmapInfo_, DIB_RGB_COLORS, SRCCOPY);
  EndPaint(hwnd_, &ps);
}

void Win32EditorWindow::Refresh() {
  if (!form_.NeedsPaint()) return;
  for (const TRect& r : form_.PaintInvalid()) {
    const RECT area{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(hwnd_, &area, FALSE);
  }
}

void Win32EditorWindow::Idle() { Refresh(); }

bool Win32EditorWindow::DragFileOut(const std::string& path) {
  if (!oleReady_ || !inPress_) return false;
  dropSource_->Files.assign(1, path);
  // DoDragDrop captures the mouse itself and ends on the release.
  ReleaseCapture();
  const TDragResult result = dropSource_->BeginFileDrag();
  releaseTaken_ = true;
  return result == TDragResult::drDropCopy || result == TDragResult::drDropMove ||
         result == TDragResult::drDropLink;
}

void Win32EditorWindow::ShowMessage(const std::string& text) {
  if (inPress_) {
    // The box takes the mouse; the press's release will not reach us.
    ReleaseCapture();
    releaseTaken_ = true;
  }
  MessageBoxA(hwnd_, text.c_str(), "Quaverlin", MB_OK | MB_ICONERROR);
}
