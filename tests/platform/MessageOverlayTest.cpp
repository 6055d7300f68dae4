#include "platform/linux/MessageOverlay.h"

#include <gtest/gtest.h>

#include "tests/skin/TestText.h"

namespace {
constexpr Pixel kBeneath = ToPixel(0x123456);
}

TEST(MessageOverlay, ABoxWithTheMessageLiesInTheMiddleOfTheWindow) {
  MessageOverlay message(TestText(), "Cannot create file /nowhere/QVMidi.mid", Scale(), 746, 321);
  const TRect box = message.Box();
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_NEAR(box.Left + box.Width() / 2, 373, 1);
  EXPECT_NEAR(box.Top + box.Height() / 2, 160, 1);
  EXPECT_TRUE((TRect{0, 0, 746, 321}.Contains(box)));

  Surface window(746, 321, kBeneath);
  message.DrawOver(window, window.Bounds());
  int ink = 0;
  for (int y = box.Top; y < box.Bottom; ++y)
    for (int x = box.Left; x < box.Right; ++x) {
      ASSERT_NE(window.At(x, y), kBeneath) << x << "," << y;
      ink += window.ColorAt(x, y) == clBlack;
    }
  EXPECT_GT(ink, 50) << "the message's letters";
  EXPECT_EQ(window.At(box.Left - 1, box.Top), kBeneath);
  EXPECT_EQ(window.At(box.Right, box.Bottom - 1), kBeneath);
}

TEST(MessageOverlay, OnlyThePartInsideTheClipIsDrawn) {
  MessageOverlay message(TestText(), "Cannot create file x", Scale(), 400, 200);
  const TRect box = message.Box();
  Surface window(400, 200, kBeneath);
  const TRect left = TRect{0, 0, box.Left + box.Width() / 2, 200};
  message.DrawOver(window, left);
  EXPECT_NE(window.At(box.Left, box.Top), kBeneath);
  EXPECT_EQ(window.At(box.Right - 1, box.Top), kBeneath);
}

TEST(MessageOverlay, ALongMessageWrapsWithinANarrowWindow) {
  const std::string path(300, 'a');
  MessageOverlay message(TestText(), "Cannot create file /" + path, Scale(), 200, 300);
  EXPECT_LE(message.Box().Width(), 200);
  EXPECT_GE(message.Box().Left, 0);
}

// At 200 % the box is drawn as the editor around it is: twice as large,
// with text of twice the size (hinted glyphs do not scale exactly), still
// in the middle of the larger window.
TEST(MessageOverlay, TheBoxFollowsTheEditorsScale) {
  const std::string_view text = "Cannot create file /nowhere/QVMidi.mid";
  const MessageOverlay at100(TestText(), text, Scale(100), 746, 321);
  const MessageOverlay at200(TestText(), text, Scale(200), 1492, 642);
  const double wider = at200.Box().Width() / static_cast<double>(at100.Box().Width());
  const double taller = at200.Box().Height() / static_cast<double>(at100.Box().Height());
  EXPECT_GT(wider, 1.9);
  EXPECT_LT(wider, 2.1);
  EXPECT_GT(taller, 1.9);
  EXPECT_LT(taller, 2.1);
  EXPECT_NEAR(at200.Box().Left + at200.Box().Width() / 2, 746, 1);
  EXPECT_NEAR(at200.Box().Top + at200.Box().Height() / 2, 321, 1);
}
