#include <windows.h>

#include <cctype>
#include <utility>

#include "host/HostWindow.h"
#include "host/PluginLibrary.h"

namespace {

constexpr wchar_t kClassName[] = L"QuaverlinHostWindow";
constexpr wchar_t kCloseAsked[] = L"QuaverlinCloseAsked";

class Win32HostWindow final : public HostWindow {
public:
  explicit Win32HostWindow(const std::string& title) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    // A plain frame whose client area the editor fills; clip the child so
    // the frame never paints over it.
    hwnd_ = CreateWindowExW(0, kClassName, std::wstring(title.begin(), title.end()).c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 320, 200,
                            nullptr, nullptr, instance, nullptr);
    if (!hwnd_) throw HostError("cannot create the host window");
  }
  ~Win32HostWindow() override {
    if (!IsWindow(hwnd_)) return;
    RemovePropW(hwnd_, kCloseAsked);
    DestroyWindow(hwnd_);
  }

  void* handle() const override { return hwnd_; }

  void resize(int width, int height) override {
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE);
    width_ = width;
    height_ = height;
  }

  void show() override {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
  }

  bool pump(std::chrono::milliseconds wait) override {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait.count()), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The editor's child may have the focus: its keys are seen on their
      // way to it.
      if (msg.message == WM_KEYDOWN && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)) &&
          msg.wParam < 128 && (msg.wParam == VK_SPACE || std::isalnum(static_cast<int>(msg.wParam))))
        keys_.push_back({static_cast<char>(std::tolower(static_cast<int>(msg.wParam))),
                         (GetKeyState(VK_CONTROL) & 0x8000) != 0});
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return IsWindow(hwnd_) && !GetPropW(hwnd_, kCloseAsked);
  }

  std::vector<TypedKey> takeKeys() override { return std::exchange(keys_, {}); }

  Picture capture() override {
    // What the screen shows of the client area, the editor's child included.
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Picture picture{width_, height_, {}};
    if (bitmap) {
      HGDIOBJ old = SelectObject(memory, bitmap);
      BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
      GdiFlush();
      const auto* pixels = static_cast<const std::uint32_t*>(bits);
      picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
      SelectObject(memory, old);
      DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (picture.pixels.empty()) throw HostError("cannot read the window's pixels");
    return picture;
  }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
      // The window goes with this object, after the plug-in's editor.
      SetPropW(hwnd, kCloseAsked, reinterpret_cast<HANDLE>(1));
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
  int width_ = 320, height_ = 200;
  std::vector<TypedKey> keys_;
};

}  // namespace

std::unique_ptr<HostWindow> HostWindow::create(const std::string& title) {
  return std::make_unique<Win32HostWindow>(title);
}
