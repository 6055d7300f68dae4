// The bridge as the host sees it: the window's size, open and close
// counting, idle refreshes only while a window exists.
#include "tests/editor/EditorFixture.h"

namespace {

struct Rect {
  VstInt16 top, left, bottom, right;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace

class EditorBridge : public EditorTest {
protected:
  Rect rect() {
    ERect* r = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &r), 1);
    return {r->top, r->left, r->bottom, r->right};
  }
};

TEST_F(EditorBridge, ReportsNoSizeUntilAWindowHasExistedAndKeepsItAfterClose) {
  EXPECT_TRUE(plugin->getAeffect()->flags & effFlagsHasEditor);
  EXPECT_EQ(rect(), (Rect{0, 0, 0, 0}));
  open();
  EXPECT_EQ(rect(), (Rect{0, 0, 321, 746}));
  dispatch(effEditClose);
  EXPECT_EQ(bridge().window(), nullptr);
  EXPECT_EQ(rect(), (Rect{0, 0, 321, 746}));
}

TEST_F(EditorBridge, ASecondOpenKeepsTheWindowUntilTheMatchingClose) {
  open();
  TPluginEditorWindow* first = bridge().window();
  open();
  EXPECT_EQ(bridge().window(), first);
  EXPECT_EQ(bridge().OpenCount(), 2);

  dispatch(effEditClose);
  ASSERT_EQ(bridge().window(), first);
  EXPECT_FALSE(plugin->editorClosed);
  set(0, 4, 15, RowChannel);
  idle();
  EXPECT_EQ(window().BankMidiCh[4]->Caption(), "16");

  dispatch(effEditClose);
  EXPECT_EQ(bridge().window(), nullptr);
  EXPECT_TRUE(plugin->editorClosed);
  EXPECT_EQ(bridge().OpenCount(), 0);
}

TEST_F(EditorBridge, CloseWithoutOpenAndIdleAfterCloseDoNothing) {
  dispatch(effEditClose);
  EXPECT_EQ(bridge().OpenCount(), 0);
  EXPECT_TRUE(plugin->editorClosed);
  idle();
  dispatch(effSetProgram, 0, 3);
  EXPECT_EQ(bridge().window(), nullptr);

  open();
  EXPECT_FALSE(plugin->editorClosed);
  dispatch(effEditClose);
  idle();
  EXPECT_EQ(bridge().window(), nullptr);
  EXPECT_EQ(bridge().OpenCount(), 0);
}

TEST_F(EditorBridge, OpenPaintsTheWholeWindowAndStartsTheUpdater) {
  open();
  EXPECT_FALSE(window().NeedsPaint());
  EXPECT_TRUE(window().updater.Enabled());
  EXPECT_EQ(window().updater.Interval(), 100);
  // The middle of an empty note cell (step 0, row 0) shows 'Default Empty'.
  EXPECT_EQ(pixel(95 + 4 + 8, 27 + 3 + 8), 0xC0C6BBu);
}

TEST_F(EditorBridge, TheSelectedRowOutlivesTheWindow) {
  PatternImage image;
  image.setCell(PatternImage::kCurrent, 2, 7, 127);
  load(image);
  open();
  selectedRow = 2;
  dispatch(effEditClose);
  open();
  idle();
  EXPECT_EQ(window().VelocityGauges[7]->Progress(), 64);
  // The marker waits at row 0 for the next press in the grid.
  EXPECT_EQ(window().BankHighLight->Top(), 30);
}
