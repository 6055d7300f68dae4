// The editor's X11 window against a real X server (Xvfb in the test run),
// showing a fake view: skipped where there is no display.
// gtest first: Xlib's macros (None) break its names.
#include "tests/platform/X11WindowFixture.h"

#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

#include <chrono>

namespace {

struct Expected {
  PointerEvent::Kind kind;
  int x, y;
};

void ExpectEvents(const std::vector<PointerEvent>& got, const std::vector<Expected>& wanted) {
  ASSERT_EQ(got.size(), wanted.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].kind, wanted[i].kind) << "event " << i;
    EXPECT_EQ(got[i].x, wanted[i].x) << "event " << i;
    EXPECT_EQ(got[i].y, wanted[i].y) << "event " << i;
  }
}

}  // namespace

TEST_F(X11EditorWindowTest, OpensAChildOfTheViewsSizeAtTheOriginAndShowsTheView) {
  auto window = Open();
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

  // The view turns red; the next idle puts it on the screen.
  view.SetColor(0xC02020);
  window->Idle();
  EXPECT_TRUE(Eventually([&] { return LitPixels(children[0], 0xC02020) == 120 * 80; }));
}

// A view that grows (the editor at a larger scale) gets a window of its new
// size, showing all of it at once, and presses reach it in its new pixels.
TEST_F(X11EditorWindowTest, AResizedViewGetsAWindowOfItsNewSizeShownWhole) {
  auto window = Open();
  ASSERT_TRUE(window);
  const Window editor = Children(parent)[0];
  view.Resize(180, 120);
  view.SetColor(0x20C020);
  window->Resize();
  XWindowAttributes a;
  XGetWindowAttributes(display, editor, &a);
  EXPECT_EQ(a.width, 180);
  EXPECT_EQ(a.height, 120);
  EXPECT_FALSE(view.NeedsPaint());
  EXPECT_TRUE(Eventually([&] {
    XImage* image = XGetImage(display, editor, 170, 110, 10, 10, AllPlanes, ZPixmap);
    if (!image) return false;
    const bool green = (XGetPixel(image, 9, 9) & 0xFFFFFF) == 0x20C020;
    XDestroyImage(image);
    return green;
  }));
  Send(editor, ButtonPress, Button1, 0, 175, 115);
  window->Idle();
  ASSERT_EQ(view.events.size(), 1u);
  EXPECT_EQ(view.events[0].x, 175);
}

TEST_F(X11EditorWindowTest, ButtonsReachTheViewWithTheirKeysFromTheNextIdle) {
  auto window = Open();
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  Send(editor, ButtonPress, Button1, ShiftMask | ControlMask, 30, 25);
  Send(editor, ButtonPress, Button3, Mod1Mask, 31, 26);
  EXPECT_TRUE(view.events.empty()) << "events wait for the host's idle call";
  window->Idle();
  Send(editor, ButtonRelease, Button3, Button1Mask | Button3Mask, 32, 27);
  Send(editor, ButtonRelease, Button1, Button1Mask, 200, 150);  // dragged far outside
  window->Idle();

  const std::vector<PointerEvent>& e = view.events;
  ExpectEvents(e, {{PointerEvent::Press, 30, 25},
                   {PointerEvent::Press, 31, 26},
                   {PointerEvent::Release, 32, 27},
                   {PointerEvent::Release, 200, 150}});
  EXPECT_EQ(e[0].button, PointerButton::Left);
  EXPECT_EQ(e[0].keys, pkShift | pkCtrl);
  EXPECT_EQ(e[1].button, PointerButton::Right);
  EXPECT_EQ(e[1].keys, pkAlt);
  EXPECT_EQ(e[3].button, PointerButton::Left);
}

TEST_F(X11EditorWindowTest, AStrokeAndTheMovesAfterItReachTheViewInTheOrderTheyHappened) {
  auto window = Open();
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  // All in one batch, as a slow host's idle finds them.
  SendMotion(editor, 0, 5, 5);
  SendMotion(editor, 0, 6, 5);
  Send(editor, ButtonPress, Button1, 0, 10, 10);
  SendMotion(editor, Button1Mask, 26, 10);
  SendMotion(editor, Button1Mask, 42, 10);
  SendMotion(editor, Button1Mask, 58, 10);
  Send(editor, ButtonRelease, Button1, Button1Mask, 58, 10);
  SendMotion(editor, 0, 80, 40);
  SendMotion(editor, 0, 100, 60);
  window->Idle();
  // Every held position counts; hovering, only where the pointer came to.
  ExpectEvents(view.events, {{PointerEvent::Move, 6, 5},
                             {PointerEvent::Press, 10, 10},
                             {PointerEvent::Move, 26, 10},
                             {PointerEvent::Move, 42, 10},
                             {PointerEvent::Move, 58, 10},
                             {PointerEvent::Release, 58, 10},
                             {PointerEvent::Move, 100, 60}});
}

TEST_F(X11EditorWindowTest, APressAndAnAtOnceDragNeverLoseTheirPressOrder) {
  auto window = Open();
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  Send(editor, ButtonPress, Button3, 0, 10, 10);
  SendMotion(editor, Button3Mask, 12, 10);
  Send(editor, ButtonRelease, Button3, Button3Mask, 12, 10);
  Send(editor, ButtonPress, Button1, 0, 40, 10);
  SendMotion(editor, Button1Mask, 41, 10);
  window->Idle();
  Send(editor, ButtonRelease, Button1, Button1Mask, 41, 10);
  window->Idle();
  ExpectEvents(view.events, {{PointerEvent::Press, 10, 10},
                             {PointerEvent::Move, 12, 10},
                             {PointerEvent::Release, 12, 10},
                             {PointerEvent::Press, 40, 10},
                             {PointerEvent::Move, 41, 10},
                             {PointerEvent::Release, 41, 10}});
}

TEST_F(X11EditorWindowTest, TimersRunFromTheIdleCallsOnTheWallClock) {
  TDIBTimer timer(&clock);
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  auto window = Open();
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
  auto window = Open();
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  window->ShowMessage("Cannot create file /nowhere/QVMidi.mid");
  EXPECT_TRUE(Eventually([&] { return LitPixels(editor) > 1000; }))
      << "the message box over the black view";

  Send(editor, ButtonPress, Button1, 0, 30, 25);
  Send(editor, ButtonRelease, Button1, Button1Mask, 30, 25);
  window->Idle();
  EXPECT_TRUE(view.events.empty());
  EXPECT_TRUE(Eventually([&] { return LitPixels(editor) == 0; })) << "the black view again";

  Send(editor, ButtonPress, Button1, 0, 30, 25);
  window->Idle();
  EXPECT_EQ(view.events.size(), 1u);
}

TEST_F(X11EditorWindowTest, ADragOutsideAPressStartsNothing) {
  auto window = Open();
  ASSERT_TRUE(window);
  bool ended = false;
  EXPECT_FALSE(window->DragFileOut("/tmp/QVMidi.mid", [&](bool) { ended = true; }));
  EXPECT_FALSE(ended);
}

TEST_F(X11EditorWindowTest, WhatTheServerForgotWhileUnmappedIsPutBackAtTheNextIdle) {
  view.SetColor(0xC02020);
  auto window = Open();
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

TEST(X11EditorWindowHeadless, NoParentMeansNoWindow) {
  TimerClock clock;
  FakeView view(10, 10);
  EXPECT_EQ(OpenNativeEditorWindow(nullptr, view, clock), nullptr);
}

TEST_F(X11EditorWindowTest, ThePointerIsACrossHairWhereTheViewAsksForOne) {
  view.crossHair = TRect{0, 0, 60, 80};
  auto window = Open();
  ASSERT_TRUE(window);
  const Window editor = Children(parent).at(0);
  // A window of the test's own with the cursor font's cross-hair, to compare with.
  const Window sample = XCreateSimpleWindow(display, parent, 200, 0, 50, 50, 0, 0, 0);
  const Cursor crossHair = XCreateFontCursor(display, XC_crosshair);
  XDefineCursor(display, sample, crossHair);
  XMapWindow(display, sample);
  const auto shownOver = [&](Window w, int x, int y) {
    XWarpPointer(display, None, w, 0, 0, 0, 0, x, y);
    XSync(display, False);
    usleep(20000);
    window->Idle();  // the editor hears the motion and picks the cursor
    XSync(display, False);
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    std::vector<unsigned long> pixels(image->pixels, image->pixels + image->width * image->height);
    XFree(image);
    return pixels;
  };
  const auto crossHairImage = shownOver(sample, 10, 10);
  EXPECT_EQ(shownOver(editor, 30, 40), crossHairImage);
  EXPECT_NE(shownOver(editor, 90, 40), crossHairImage);
  EXPECT_EQ(shownOver(editor, 20, 10), crossHairImage);
  XFreeCursor(display, crossHair);
}
