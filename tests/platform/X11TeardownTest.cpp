// The editor's X11 window closed in any order against a host that keeps
// Xlib's default error handler, which ends the process on any X error: a
// test that lets one through does not finish. Open and close cycles leave
// no window and no connection behind.
#include "host/VstHost.h"
#include "tests/platform/X11WindowFixture.h"

namespace {

int handlerCalls = 0;
int HostHandler(Display*, XErrorEvent*) {
  ++handlerCalls;
  return 0;
}

class X11Teardown : public X11EditorWindowTest {
protected:
  void SetUp() override {
    X11EditorWindowTest::SetUp();
    XSetErrorHandler(nullptr);  // Xlib's own: exit on any error
  }
  // A fresh parent in place of the one the test destroyed.
  void DestroyParent() {
    XDestroyWindow(display, parent);
    XSync(display, False);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 200, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
  }
};

}  // namespace

TEST_F(X11Teardown, TwoHundredOpenIdleCloseCyclesLeaveNoWindowAndNoConnection) {
  const int descriptors = OpenDescriptors();
  const std::size_t topLevel = Children(DefaultRootWindow(display)).size();
  for (int cycle = 0; cycle < 200; ++cycle) {
    auto window = Open();
    ASSERT_TRUE(window);
    view.Invalidate();
    window->Idle();
  }
  EXPECT_TRUE(Children(parent).empty());
  EXPECT_EQ(Children(DefaultRootWindow(display)).size(), topLevel);
  EXPECT_EQ(OpenDescriptors(), descriptors) << "a display connection was left open";
}

TEST_F(X11Teardown, TwoHundredWindowsFreedAfterTheirParentWasDestroyed) {
  const int descriptors = OpenDescriptors();
  const std::size_t topLevel = Children(DefaultRootWindow(display)).size();
  for (int cycle = 0; cycle < 200; ++cycle) {
    auto window = Open();
    ASSERT_TRUE(window);
    window->Idle();
    DestroyParent();
  }
  EXPECT_EQ(Children(DefaultRootWindow(display)).size(), topLevel);
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(X11Teardown, AnIdleWithARepaintAfterTheParentWentDrawsNothingAndFails) {
  for (int cycle = 0; cycle < 200; ++cycle) {
    auto window = Open();
    ASSERT_TRUE(window);
    DestroyParent();
    view.SetColor(cycle % 2 ? 0x808080 : 0x202020);
    window->Idle();  // may meet the destruction's notice or not yet
    view.Invalidate();
    window->Idle();
    window->ShowMessage("Cannot create file x");
    window->Idle();
  }
}

TEST_F(X11Teardown, AParentThatIsNoWindowGivesNoWindow) {
  const Window gone = XCreateSimpleWindow(display, parent, 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(display, gone);
  XSync(display, False);
  EXPECT_EQ(OpenNativeEditorWindow(reinterpret_cast<void*>(gone), view, clock), nullptr);
}

TEST_F(X11Teardown, TheHostsOwnErrorHandlerIsLeftInPlaceAndHearsNothingOfTheEditors) {
  XSetErrorHandler(&HostHandler);
  handlerCalls = 0;
  {
    auto window = Open();
    ASSERT_TRUE(window);
    DestroyParent();
    view.Invalidate();
    window->Idle();
  }
  EXPECT_EQ(handlerCalls, 0);
  EXPECT_EQ(XSetErrorHandler(nullptr), &HostHandler);
}

TEST_F(X11Teardown, TheHostOpensIdlesAndClosesThePluginsEditorTwoHundredTimesInEachOrder) {
  VstHost host(QUAVERLIN_PLUGIN_PATH);
  host.start(44100, 512);
  const int descriptors = OpenDescriptors();
  for (int cycle = 0; cycle < 200; ++cycle) {
    ASSERT_EQ(host.dispatch(effEditOpen, 0, 0, ParentHandle()), 1);
    ASSERT_EQ(Children(parent).size(), 1u) << "cycle " << cycle;
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
  }
  EXPECT_TRUE(Children(parent).empty());
  for (int cycle = 0; cycle < 200; ++cycle) {
    ASSERT_EQ(host.dispatch(effEditOpen, 0, 0, ParentHandle()), 1);
    DestroyParent();
    if (cycle % 2) host.dispatch(effEditIdle);  // with the whole window to repaint
    host.dispatch(effEditClose);
  }
  EXPECT_EQ(OpenDescriptors(), descriptors);
  host.close();
}

TEST(X11EditorWithoutAServer, EffEditOpenAnswersZeroAndTheEditorKeepsNoSize) {
  const char* before = std::getenv("DISPLAY");
  const std::string saved = before ? before : "";
  setenv("DISPLAY", ":9999", 1);  // no server there
  {
    VstHost host(QUAVERLIN_PLUGIN_PATH);
    host.start(44100, 512);
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x400001)), 0);
    ERect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->right, 0);
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
    host.close();
  }
  if (before)
    setenv("DISPLAY", saved.c_str(), 1);
  else
    unsetenv("DISPLAY");
}
