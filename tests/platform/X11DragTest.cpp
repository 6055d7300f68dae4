// A file drag out of the X11 window runs alongside the host's idle calls:
// it starts in a press, lives through any number of idle calls, and ends
// with the outcome told once, the pointer given back, and a target that
// stopped answering given up.
#include "tests/platform/X11WindowFixture.h"

#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

#include <chrono>
#include <optional>
#include <thread>

namespace {

class X11Drag : public X11EditorWindowTest {
protected:
  void SetUp() override {
    X11EditorWindowTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    window = Open();
    ASSERT_TRUE(window);
    editor = Children(parent).at(0);
    view.onPress = [this](const PointerEvent&) {
      started = window->DragFileOut("/tmp/QVMidi.mid", [this](bool dropped) {
        ASSERT_FALSE(ended) << "told twice";
        ended = dropped;
      });
    };
  }
  void TearDown() override {
    window.reset();
    X11EditorWindowTest::TearDown();
  }

  // Whether another client could take the pointer now.
  bool PointerIsFree() {
    const bool free = XGrabPointer(display, parent, False, ButtonPressMask, GrabModeAsync,
                                   GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    if (free) XUngrabPointer(display, CurrentTime);
    XSync(display, False);
    return free;
  }
  void IdleFor(std::chrono::milliseconds span) {
    const auto until = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < until && !ended) {
      window->Idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(33));
    }
  }

  std::vector<unsigned long> CursorShown() {
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    std::vector<unsigned long> pixels(image->pixels, image->pixels + image->width * image->height);
    XFree(image);
    return pixels;
  }
  // What the cursor font's `shape` looks like on this server.
  std::vector<unsigned long> FontCursor(unsigned shape) {
    const Window sample = XCreateSimpleWindow(display, parent, 250, 150, 20, 20, 0, 0, 0);
    const Cursor cursor = XCreateFontCursor(display, shape);
    XDefineCursor(display, sample, cursor);
    XMapWindow(display, sample);
    XWarpPointer(display, None, sample, 0, 0, 0, 0, 5, 5);
    XSync(display, False);
    std::vector<unsigned long> pixels = CursorShown();
    XDestroyWindow(display, sample);
    XFreeCursor(display, cursor);
    return pixels;
  }

  std::unique_ptr<NativeEditorWindow> window;
  Window editor = 0;
  bool started = false;
  std::optional<bool> ended;
};

// The XDND messages a window of ours was sent, by name.
std::vector<std::string> Messages(Display* display, Window to) {
  std::vector<std::string> names;
  XEvent e;
  while (XCheckTypedWindowEvent(display, to, ClientMessage, &e)) {
    char* name = XGetAtomName(display, e.xclient.message_type);
    names.push_back(name);
    XFree(name);
  }
  return names;
}

}  // namespace

TEST_F(X11Drag, LivesThroughIdleCallsAndEndsCancelledAtTheReleaseOverNoTarget) {
  Send(editor, ButtonPress, Button1, 0, 30, 25);
  window->Idle();
  ASSERT_TRUE(started);
  EXPECT_FALSE(PointerIsFree()) << "the drag holds the pointer";
  XSync(display, False);
  const std::vector<unsigned long> shownInDrag = CursorShown();
  for (int idle = 0; idle < 30; ++idle) window->Idle();
  EXPECT_FALSE(ended.has_value());

  Send(editor, ButtonRelease, Button1, Button1Mask, 60, 70);
  window->Idle();
  ASSERT_TRUE(ended.has_value());
  EXPECT_FALSE(*ended);
  EXPECT_TRUE(PointerIsFree());
  EXPECT_EQ(shownInDrag, FontCursor(XC_circle)) << "over no target: the no-drop cursor";
  // The view hears the release, so its pressed control lets go.
  ASSERT_EQ(view.events.size(), 2u);
  EXPECT_EQ(view.events[1].kind, PointerEvent::Release);
  EXPECT_EQ(view.events[1].x, 60);
}

TEST_F(X11Drag, ATargetThatStopsAnsweringIsGivenUpAndThePointerGivenBack) {
  const Window target = XCreateSimpleWindow(display, DefaultRootWindow(display), 400, 0, 100, 100,
                                            0, 0, 0);
  const long version = 5;
  XChangeProperty(display, target, XInternAtom(display, "XdndAware", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&version), 1);
  XMapWindow(display, target);
  XSync(display, False);

  Send(editor, ButtonPress, Button1, 0, 30, 25);
  window->Idle();
  ASSERT_TRUE(started);
  SendMotion(editor, Button1Mask, 450, 50);  // root coordinates over the target
  window->Idle();
  XSync(display, False);
  EXPECT_EQ(Messages(display, target), (std::vector<std::string>{"XdndEnter", "XdndPosition"}));

  // The target never answers, neither the position nor the release.
  Send(editor, ButtonRelease, Button1, Button1Mask, 450, 50);
  window->Idle();
  EXPECT_TRUE(PointerIsFree()) << "the release gives the pointer back at once";
  IdleFor(std::chrono::seconds(3));
  ASSERT_TRUE(ended.has_value()) << "still waiting for the target";
  EXPECT_FALSE(*ended);
  XSync(display, False);
  EXPECT_EQ(Messages(display, target), (std::vector<std::string>{"XdndLeave"}));
  XDestroyWindow(display, target);
}

TEST_F(X11Drag, ClosingTheWindowMidDragGivesThePointerBack) {
  Send(editor, ButtonPress, Button1, 0, 30, 25);
  window->Idle();
  ASSERT_TRUE(started);
  window.reset();
  EXPECT_TRUE(PointerIsFree());
}
