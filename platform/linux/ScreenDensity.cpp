#include "platform/ScreenDensity.h"

#include <X11/Xlib.h>

#include "platform/linux/XResourceDpi.h"

double ScreenDpi(void* parent) {
  if (!parent) return 0;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  double dpi = 0;
  if (const auto xft = XftDpiIn(XResourceManagerString(display))) {
    dpi = *xft;
  } else {
    const int screen = DefaultScreen(display);
    const int millimetres = DisplayWidthMM(display, screen);
    if (millimetres > 0) dpi = DisplayWidth(display, screen) * 25.4 / millimetres;
  }
  XCloseDisplay(display);
  return dpi;
}
