// The editor's Win32 window showing a fake view.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/NativeEditorWindow.h"
#include "skin/DIBTimer.h"
#include "tests/platform/FakeView.h"

#include <thread>
#include <vector>

namespace {

// Wine makes no windows without an X display, and its 32-bit build under
// emulation crashes trying; the GUI run gives it one.
bool WindowSystem() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
  return !wine || GetEnvironmentVariableA("DISPLAY", nullptr, 0) > 0;
}

class Win32EditorWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!WindowSystem()) GTEST_SKIP() << "no window system";
    parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(parent);
  }
  void TearDown() override {
    if (parent) DestroyWindow(parent);
  }

  std::vector<HWND> Children() const {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    return children;
  }
  static bool ClassRegistered() {
    // The window code is linked into this program.
    WNDCLASSW wc;
    return GetClassInfoW(GetModuleHandleW(nullptr), L"QuaverlinEditorWindow", &wc) != FALSE;
  }

  std::unique_ptr<NativeEditorWindow> Open() { return OpenNativeEditorWindow(parent, view, clock); }

  HWND parent = nullptr;
  TimerClock clock;
  FakeView view{120, 80};
};

}  // namespace

TEST_F(Win32EditorWindowTest, OpensAVisibleChildOfTheFormsSizeAtTheOrigin) {
  auto window = Open();
  ASSERT_TRUE(window);
  const std::vector<HWND> children = Children();
  ASSERT_EQ(children.size(), 1u);
  const HWND editor = children[0];
  EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(IsWindowVisible(editor));
  RECT r;
  GetWindowRect(editor, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 120);
  EXPECT_EQ(r.bottom, 80);
  // It erases nothing: the view paints every pixel.
  HDC dc = GetDC(editor);
  EXPECT_EQ(SendMessageW(editor, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ReleaseDC(editor, dc);
}

// A view that grows (the editor at a larger scale) gets a window of its new
// size, repainted whole.
TEST_F(Win32EditorWindowTest, AResizedViewGetsAWindowOfItsNewSize) {
  auto window = Open();
  ASSERT_TRUE(window);
  const HWND editor = Children()[0];
  view.Resize(180, 120);
  window->Resize();
  RECT r;
  GetClientRect(editor, &r);
  EXPECT_EQ(r.right, 180);
  EXPECT_EQ(r.bottom, 120);
  EXPECT_FALSE(view.NeedsPaint());
  RECT update;
  EXPECT_TRUE(GetUpdateRect(editor, &update, FALSE));
  EXPECT_EQ(update.right, 180);
  EXPECT_EQ(update.bottom, 120);
}

TEST_F(Win32EditorWindowTest, TheClassLivesOnlyWhileAWindowDoes) {
  EXPECT_FALSE(ClassRegistered());
  auto first = Open();
  auto second = Open();
  EXPECT_TRUE(ClassRegistered());
  first.reset();
  EXPECT_TRUE(ClassRegistered());
  second.reset();
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(Win32EditorWindowTest, APressCapturesTheMouseUntilItsReleaseWithTheShiftState) {
  auto window = Open();
  ASSERT_TRUE(window);
  const HWND editor = Children().at(0);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(30, 25));
  EXPECT_EQ(GetCapture(), editor);
  SendMessageW(editor, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(31, 26));
  SendMessageW(editor, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(31, 26));
  EXPECT_EQ(GetCapture(), editor) << "the left button is still down";
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  EXPECT_NE(GetCapture(), editor);

  const std::vector<PointerEvent>& e = view.events;
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].kind, PointerEvent::Press);
  EXPECT_EQ(e[0].keys, pkShift | pkCtrl);
  EXPECT_EQ(e[0].x, 30);
  EXPECT_EQ(e[0].y, 25);
  EXPECT_EQ(e[1].button, PointerButton::Right);
  EXPECT_EQ(e[2].kind, PointerEvent::Release);
  EXPECT_EQ(e[3].kind, PointerEvent::Release);
  EXPECT_EQ(e[3].button, PointerButton::Left);
  EXPECT_EQ(e[3].x, 200) << "captured: the release far outside reaches the view";
}

TEST_F(Win32EditorWindowTest, AReleaseWithoutItsPressIsNotPassedOn) {
  auto window = Open();
  const HWND editor = Children().at(0);
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
  EXPECT_TRUE(view.events.empty());
}

TEST_F(Win32EditorWindowTest, TheTimerMessageMovesTheClockByTheTimeThatPassed) {
  auto window = Open();
  const HWND editor = Children().at(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  SendMessageW(editor, WM_TIMER, 1, 0);
  EXPECT_GE(clock.Now(), std::chrono::milliseconds(60));
  EXPECT_LT(clock.Now(), std::chrono::milliseconds(1000));
}

TEST_F(Win32EditorWindowTest, TwoHundredOpenIdleCloseCyclesLeaveNoWindowBehind) {
  for (int cycle = 0; cycle < 200; ++cycle) {
    auto window = Open();
    ASSERT_TRUE(window);
    view.Invalidate();
    window->Idle();
  }
  EXPECT_TRUE(Children().empty());
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(Win32EditorWindowTest, NoParentOrADeadOneMeansNoWindow) {
  EXPECT_EQ(OpenNativeEditorWindow(nullptr, view, clock), nullptr);
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(OpenNativeEditorWindow(gone, view, clock), nullptr);
}

TEST_F(Win32EditorWindowTest, TheCursorIsTheOneTheViewAsksForWhereThePointerIs) {
  view.crossHair = TRect{0, 0, 60, 80};
  auto window = Open();
  const HWND editor = Children().at(0);
  POINT origin{0, 0};
  ClientToScreen(editor, &origin);
  const auto cursorAt = [&](int x, int y) {
    SetCursorPos(origin.x + x, origin.y + y);
    SendMessageW(editor, WM_SETCURSOR, reinterpret_cast<WPARAM>(editor),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursorAt(30, 40), LoadCursor(nullptr, IDC_CROSS));
  EXPECT_EQ(cursorAt(90, 40), LoadCursor(nullptr, IDC_ARROW));
}
