#include "platform/ScreenDensity.h"

#include <windows.h>

double ScreenDpi(void* parent) {
  const auto window = static_cast<HWND>(parent);
  if (!window || !IsWindow(window)) return 0;
  // Windows 10 1607 and later know each window's monitor DPI; older ones
  // have one DPI for the whole desktop.
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  if (const HMODULE user = GetModuleHandleW(L"user32.dll")) {
    if (const auto call = reinterpret_cast<GetDpiForWindowCall>(
            reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))) {
      if (const UINT dpi = call(window)) return dpi;
    }
  }
  const HDC dc = GetDC(window);
  if (!dc) return 0;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi;
}
