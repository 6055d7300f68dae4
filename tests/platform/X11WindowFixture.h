// An X display, a top-level parent window on it and a fake view, for the
// tests of the editor's X11 window: skipped where there is no display.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/NativeEditorWindow.h"
#include "skin/DIBTimer.h"
#include "tests/platform/FakeView.h"

inline int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

class X11EditorWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    // A busy server turns connections away for a moment.
    for (int attempt = 0; attempt < 20 && !display; ++attempt) {
      display = XOpenDisplay(nullptr);
      if (!display) usleep(20000);
    }
    ASSERT_TRUE(display) << "the X server at $DISPLAY takes no connection";
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 200, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
  }
  void TearDown() override {
    if (!display) return;
    if (parent) XDestroyWindow(display, parent);
    XCloseDisplay(display);
  }

  void* ParentHandle() const { return reinterpret_cast<void*>(parent); }
  std::unique_ptr<NativeEditorWindow> Open() {
    return OpenNativeEditorWindow(ParentHandle(), view, clock);
  }

  std::vector<Window> Children(Window w) {
    Window root, up, *list = nullptr;
    unsigned n = 0;
    XQueryTree(display, w, &root, &up, &list, &n);
    std::vector<Window> children(list, list + n);
    if (list) XFree(list);
    return children;
  }

  // Sends a pointer event to the editor as the X server would deliver it.
  void Send(Window to, int type, unsigned button, unsigned state, int x, int y,
            Time time = CurrentTime) {
    XEvent e{};
    e.xbutton.type = type;
    e.xbutton.window = to;
    e.xbutton.root = DefaultRootWindow(display);
    e.xbutton.button = button;
    e.xbutton.state = state;
    e.xbutton.x = e.xbutton.x_root = x;
    e.xbutton.y = e.xbutton.y_root = y;
    e.xbutton.time = time;
    e.xbutton.same_screen = True;
    XSendEvent(display, to, False, 0, &e);
    XSync(display, False);
  }
  void SendMotion(Window to, unsigned state, int x, int y) {
    XEvent e{};
    e.xmotion.type = MotionNotify;
    e.xmotion.window = to;
    e.xmotion.root = DefaultRootWindow(display);
    e.xmotion.state = state;
    e.xmotion.x = e.xmotion.x_root = x;
    e.xmotion.y = e.xmotion.y_root = y;
    e.xmotion.same_screen = True;
    XSendEvent(display, to, False, 0, &e);
    XSync(display, False);
  }

  // Sends a key press to the editor as the X server would deliver it.
  void SendKey(Window to, KeySym key, unsigned state) {
    XEvent e{};
    e.xkey.type = KeyPress;
    e.xkey.window = to;
    e.xkey.root = DefaultRootWindow(display);
    e.xkey.keycode = XKeysymToKeycode(display, key);
    e.xkey.state = state;
    e.xkey.same_screen = True;
    XSendEvent(display, to, False, 0, &e);
    XSync(display, False);
  }

  // Pixels of the window that are not black, or of the colour given.
  int LitPixels(Window w, unsigned long colour = 0) {
    XImage* image = XGetImage(display, w, 0, 0, 120, 80, AllPlanes, ZPixmap);
    if (!image) return -1;
    int lit = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 120; ++x) {
        const unsigned long p = XGetPixel(image, x, y) & 0xFFFFFF;
        lit += colour ? p == colour : p != 0;
      }
    XDestroyImage(image);
    return lit;
  }
  // The editor draws on a connection of its own, which the server may
  // serve a moment after ours.
  template <class Check>
  static bool Eventually(Check check) {
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (check()) return true;
      usleep(10000);
    }
    return false;
  }

  Display* display = nullptr;
  Window parent = 0;
  TimerClock clock;
  FakeView view{120, 80};
};
