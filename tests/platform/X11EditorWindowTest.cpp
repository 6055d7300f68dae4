// The editor's X11 window against a real X server (Xvfb in the test run):
// skipped where there is no display.
#include "host/VstHost.h"
#include "platform/NativeEditorWindow.h"
#include "tests/widgets/FormFixture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

// A plain form with one coloured control that records what reaches it.
class X11EditorWindowTest : public FormFixture {
protected:
  X11EditorWindowTest() : FormFixture(120, 80) {}

  void SetUp() override {
    if (!std::getenv("DISPLAY") || !(display = XOpenDisplay(nullptr)))
      GTEST_SKIP() << "no X display";
    form.SetColor(0x000000);
    TControl& panel = form.Add<TControl>("Panel", 20, 10, 60, 40);
    panel.OnMouseDown = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
      downs.push_back({b, s, x, y});
    };
    panel.OnMouseUp = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
      ups.push_back({b, s, x, y});
    };
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 200, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
  }
  void TearDown() override {
    if (!display) return;
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
  }

  void* ParentHandle() const { return reinterpret_cast<void*>(parent); }

  std::vector<Window> Children(Window w) {
    Window root, up, *list = nullptr;
    unsigned n = 0;
    XQueryTree(display, w, &root, &up, &list, &n);
    std::vector<Window> children(list, list + n);
    if (list) XFree(list);
    return children;
  }

  // Sends a button event to the editor as the X server would deliver it.
  void SendButton(Window to, int type, unsigned button, unsigned state, int x, int y) {
    XEvent e{};
    e.xbutton.type = type;
    e.xbutton.window = to;
    e.xbutton.root = DefaultRootWindow(display);
    e.xbutton.button = button;
    e.xbutton.state = state;
    e.xbutton.x = x;
    e.xbutton.y = y;
    e.xbutton.same_screen = True;
    XSendEvent(display, to, False, 0, &e);
    XSync(display, False);
  }

  // Pixels of the window that are not black, or of the colour given.
  int LitPixels(Window w, unsigned long colour = 0) {
    XImage* image = XGetImage(display, w, 0, 0, 120, 80, AllPlanes, ZPixmap);
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

  struct Seen {
    TMouseButton button;
    TShiftState shift;
    int x, y;
  };
  Display* display = nullptr;
  Window parent = 0;
  std::vector<Seen> downs, ups;
};

}  // namespace

TEST_F(X11EditorWindowTest, OpensAChildOfTheFormsSizeAtTheOriginAndShowsTheForm) {
  auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
  ASSERT_TRUE(window);
  const std::vector<Window> children = Children(parent);
  ASSERT_EQ(children.size(), 1u);
  XWindowAttributes a;
  XGetWindowAttributes(display, children[0], &a);
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.y, 0);
  EXPECT_EQ(a.width, 120);
  EXPECT_EQ(a.height, 80);
  EXPECT_EQ(a.map_state, IsViewable);

  // The form turns red; the next idle puts it on the screen.
  form.SetColor(0xC02020);
  window->Idle();
  EXPECT_TRUE(Eventually([&] { return LitPixels(children[0], 0xC02020) == 120 * 80; }));
}

TEST_F(X11EditorWindowTest, ButtonsReachTheControlWithTheShiftStateFromTheNextIdle) {
  auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  SendButton(editor, ButtonPress, Button1, ShiftMask | ControlMask, 30, 25);
  SendButton(editor, ButtonPress, Button3, Mod1Mask, 31, 26);
  EXPECT_TRUE(downs.empty()) << "events wait for the host's idle call";
  window->Idle();
  SendButton(editor, ButtonRelease, Button3, 0, 32, 27);
  SendButton(editor, ButtonRelease, Button1, 0, 200, 150);  // dragged far outside
  window->Idle();

  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].button, TMouseButton::mbLeft);
  EXPECT_EQ(downs[0].shift, (TShiftState{ssShift, ssCtrl, ssLeft}));
  EXPECT_EQ(downs[0].x, 10);
  EXPECT_EQ(downs[0].y, 15);
  EXPECT_EQ(downs[1].button, TMouseButton::mbRight);
  EXPECT_EQ(downs[1].shift, (TShiftState{ssAlt, ssLeft, ssRight}));
  ASSERT_EQ(ups.size(), 2u);
  // The left press captured the pointer: its release far away still reaches the panel.
  EXPECT_EQ(ups[1].button, TMouseButton::mbLeft);
  EXPECT_EQ(ups[1].x, 180);
  EXPECT_EQ(ups[1].y, 140);
}

TEST_F(X11EditorWindowTest, TimersRunFromTheIdleCallsOnTheWallClock) {
  TDIBTimer timer(&clock);
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
  ASSERT_TRUE(window);
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(210)) {
    window->Idle();
    usleep(70000);  // a slow host
  }
  window->Idle();
  EXPECT_GE(ticks, 10);
  EXPECT_LE(ticks, 16);
}

TEST_F(X11EditorWindowTest, AMessageCoversTheWindowUntilTheNextClickWhichDoesNothingElse) {
  auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  window->ShowMessage("Cannot create file /nowhere/QVMidi.mid");
  EXPECT_TRUE(Eventually([&] { return LitPixels(editor) > 1000; }))
      << "the message box over the black form";

  SendButton(editor, ButtonPress, Button1, 0, 30, 25);
  SendButton(editor, ButtonRelease, Button1, 0, 30, 25);
  window->Idle();
  EXPECT_TRUE(downs.empty());
  EXPECT_TRUE(ups.empty());
  EXPECT_TRUE(Eventually([&] { return LitPixels(editor) == 0; })) << "the black form again";

  SendButton(editor, ButtonPress, Button1, 0, 30, 25);
  window->Idle();
  EXPECT_EQ(downs.size(), 1u);
}

TEST_F(X11EditorWindowTest, ADragOutsideAPressStartsNothing) {
  auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->DragFileOut("/tmp/QVMidi.mid"));
}

TEST_F(X11EditorWindowTest, TwoHundredOpenIdleCloseCyclesLeaveNoWindowAndNoConnection) {
  const int descriptors = OpenDescriptors();
  const std::size_t topLevel = Children(DefaultRootWindow(display)).size();
  for (int cycle = 0; cycle < 200; ++cycle) {
    auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
    ASSERT_TRUE(window);
    form.Invalidate();
    window->Idle();
  }
  EXPECT_TRUE(Children(parent).empty());
  EXPECT_EQ(Children(DefaultRootWindow(display)).size(), topLevel);
  EXPECT_EQ(OpenDescriptors(), descriptors) << "a display connection was left open";
}

TEST_F(X11EditorWindowTest, WhatTheServerForgotWhileUnmappedIsPutBackAtTheNextIdle) {
  form.SetColor(0xC02020);
  auto window = OpenNativeEditorWindow(ParentHandle(), form, clock);
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  window->Idle();
  ASSERT_TRUE(Eventually([&] { return LitPixels(editor, 0xC02020) == 120 * 80; }));
  // No background and no backing store: a remapped window comes back empty.
  XUnmapWindow(display, parent);
  XMapWindow(display, parent);
  XSync(display, False);
  ASSERT_TRUE(Eventually([&] { return LitPixels(editor, 0xC02020) < 120 * 80; }));
  window->Idle();
  EXPECT_TRUE(Eventually([&] { return LitPixels(editor, 0xC02020) == 120 * 80; }));
}

TEST_F(X11EditorWindowTest, TheHostOpensIdlesAndClosesThePluginsEditorTwoHundredTimes) {
  VstHost host(QUAVERLIN_PLUGIN_PATH);
  host.start(44100, 512);
  const int descriptors = OpenDescriptors();
  for (int cycle = 0; cycle < 200; ++cycle) {
    host.dispatch(effEditOpen, 0, 0, ParentHandle());
    ASSERT_EQ(Children(parent).size(), 1u) << "cycle " << cycle;
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
  }
  EXPECT_TRUE(Children(parent).empty());
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST(X11EditorWindowHeadless, NoParentMeansNoWindow) {
  TimerClock clock;
  TForm form(TestText(), clock, 10, 10);
  EXPECT_EQ(OpenNativeEditorWindow(nullptr, form, clock), nullptr);
}
