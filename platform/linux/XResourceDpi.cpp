#include "platform/linux/XResourceDpi.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>

std::optional<double> XftDpiIn(const char* resources) {
  if (!resources) return std::nullopt;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (!database) return std::nullopt;
  std::optional<double> dpi;
  char* type = nullptr;
  XrmValue value{};
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    // String databases keep their values zero-terminated.
    char* end = nullptr;
    const double number = std::strtod(value.addr, &end);
    if (end != value.addr && std::isfinite(number) && number > 0) dpi = number;
  }
  XrmDestroyDatabase(database);
  return dpi;
}
