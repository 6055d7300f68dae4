// Xlib's default error handler ends the process, and the host's process at
// that: while one of these lives, X errors (a parent window that is gone, a
// drop target that vanished mid-drag) are counted instead. The handler is
// process-wide, so it is put back as soon as the risky calls are over.
#pragma once

#include <X11/Xlib.h>

class XErrorTrap {
public:
  explicit XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    errors_ = 0;
    previous_ = XSetErrorHandler(&Count);
  }
  ~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Errors so far, after the server has answered every request sent.
  int Errors() {
    XSync(display_, False);
    return errors_;
  }

private:
  static int Count(Display*, XErrorEvent*) {
    ++errors_;
    return 0;
  }
  static inline int errors_ = 0;
  Display* display_;
  XErrorHandler previous_;
};
