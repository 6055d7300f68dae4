// Xlib's default error handler ends the process, and the host's process at
// that: while one of these lives, X errors on the editor's connection (a
// parent window that is gone, a drop target that vanished mid-drag) are
// counted instead. The handler is process-wide: errors of other
// connections (the host's) still go to the handler that was there before,
// and that handler is put back when the trap ends, unless someone else has
// replaced ours meanwhile.
#pragma once

#include <X11/Xlib.h>

class XErrorTrap {
public:
  explicit XErrorTrap(Display* display) : display_(display), outer_(trapped_) {
    previous_ = XSetErrorHandler(&Count);
    if (!outer_) passOn_ = previous_;
    trapped_ = display_;
    // Every request of ours is made under a trap, whose end waits for its
    // answers: nothing of ours is pending now.
    errors_ = 0;
  }
  ~XErrorTrap() {
    XSync(display_, False);
    trapped_ = outer_;
    const XErrorHandler current = XSetErrorHandler(previous_);
    if (current != &Count) XSetErrorHandler(current);
  }
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Errors so far, after the server has answered every request sent.
  int Errors() {
    XSync(display_, False);
    return errors_;
  }

private:
  static int Count(Display* display, XErrorEvent* error) {
    if (display == trapped_) {
      ++errors_;
      return 0;
    }
    return passOn_ ? passOn_(display, error) : 0;
  }
  static inline int errors_ = 0;
  static inline Display* trapped_ = nullptr;
  static inline XErrorHandler passOn_ = nullptr;
  Display* display_;
  Display* outer_;
  XErrorHandler previous_;
};
