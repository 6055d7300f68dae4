#include "platform/NativeEditorWindow.h"
#include "tests/widgets/FormFixture.h"

#include <windows.h>

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

class Win32EditorWindowTest : public FormFixture {
protected:
  Win32EditorWindowTest() : FormFixture(120, 80) {}

  void SetUp() override {
    TControl& panel = form.Add<TControl>("Panel", 20, 10, 60, 40);
    panel.OnMouseDown = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
      downs.push_back({b, s, x, y});
    };
    panel.OnMouseUp = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
      ups.push_back({b, s, x, y});
    };
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

  struct Seen {
    TMouseButton button;
    TShiftState shift;
    int x, y;
  };
  HWND parent = nullptr;
  std::vector<Seen> downs, ups;
};

}  // namespace

TEST_F(Win32EditorWindowTest, OpensAVisibleChildOfTheFormsSizeAtTheOrigin) {
  auto window = OpenNativeEditorWindow(parent, form, clock);
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
  // It erases nothing: the form paints every pixel.
  HDC dc = GetDC(editor);
  EXPECT_EQ(SendMessageW(editor, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ReleaseDC(editor, dc);
}

TEST_F(Win32EditorWindowTest, TheClassLivesOnlyWhileAWindowDoes) {
  EXPECT_FALSE(ClassRegistered());
  auto first = OpenNativeEditorWindow(parent, form, clock);
  auto second = OpenNativeEditorWindow(parent, form, clock);
  EXPECT_TRUE(ClassRegistered());
  first.reset();
  EXPECT_TRUE(ClassRegistered());
  second.reset();
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(Win32EditorWindowTest, APressCapturesTheMouseUntilItsReleaseWithTheShiftState) {
  auto window = OpenNativeEditorWindow(parent, form, clock);
  ASSERT_TRUE(window);
  const HWND editor = Children().at(0);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(30, 25));
  EXPECT_EQ(GetCapture(), editor);
  SendMessageW(editor, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(31, 26));
  SendMessageW(editor, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(31, 26));
  EXPECT_EQ(GetCapture(), editor) << "the left button is still down";
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  EXPECT_NE(GetCapture(), editor);

  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].shift, (TShiftState{ssShift, ssCtrl, ssLeft}));
  EXPECT_EQ(downs[0].x, 10);
  EXPECT_EQ(downs[0].y, 15);
  EXPECT_EQ(downs[1].button, TMouseButton::mbRight);
  ASSERT_EQ(ups.size(), 2u);
  EXPECT_EQ(ups[1].button, TMouseButton::mbLeft);
  EXPECT_EQ(ups[1].x, 180) << "captured: the release far outside reaches the panel";
}

TEST_F(Win32EditorWindowTest, AReleaseWithoutItsPressIsNotPassedOn) {
  auto window = OpenNativeEditorWindow(parent, form, clock);
  const HWND editor = Children().at(0);
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
  EXPECT_TRUE(ups.empty());
}

TEST_F(Win32EditorWindowTest, TheTimerMessageMovesTheClockByTheTimeThatPassed) {
  auto window = OpenNativeEditorWindow(parent, form, clock);
  const HWND editor = Children().at(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  SendMessageW(editor, WM_TIMER, 1, 0);
  EXPECT_GE(clock.Now(), std::chrono::milliseconds(60));
  EXPECT_LT(clock.Now(), std::chrono::milliseconds(1000));
}

TEST_F(Win32EditorWindowTest, TwoHundredOpenIdleCloseCyclesLeaveNoWindowBehind) {
  for (int cycle = 0; cycle < 200; ++cycle) {
    auto window = OpenNativeEditorWindow(parent, form, clock);
    ASSERT_TRUE(window);
    form.Invalidate();
    window->Idle();
  }
  EXPECT_TRUE(Children().empty());
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(Win32EditorWindowTest, NoParentOrADeadOneMeansNoWindow) {
  EXPECT_EQ(OpenNativeEditorWindow(nullptr, form, clock), nullptr);
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(OpenNativeEditorWindow(gone, form, clock), nullptr);
}
