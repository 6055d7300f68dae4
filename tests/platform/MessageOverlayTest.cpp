#include "platform/linux/MessageOverlay.h"

#include <gtest/gtest.h>

#include "tests/skin/TestText.h"

namespace {
constexpr Pixel kBeneath = ToPixel(0x123456);
}

TEST(MessageOverlay, ABoxWithTheMessageLiesInTheMiddleOfTheWindow) {
  MessageOverlay message(TestText(), "Cannot create file /nowhere/QVMidi.mid", 746, 321);
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
  MessageOverlay message(TestText(), "Cannot create file x", 400, 200);
  const TRect box = message.Box();
  Surface window(400, 200, kBeneath);
  const TRect left = TRect{0, 0, box.Left + box.Width() / 2, 200};
  message.DrawOver(window, left);
  EXPECT_NE(window.At(box.Left, box.Top), kBeneath);
  EXPECT_EQ(window.At(box.Right - 1, box.Top), kBeneath);
}

TEST(MessageOverlay, ALongMessageWrapsWithinANarrowWindow) {
  const std::string path(300, 'a');
  MessageOverlay message(TestText(), "Cannot create file /" + path, 200, 300);
  EXPECT_LE(message.Box().Width(), 200);
  EXPECT_GE(message.Box().Left, 0);
}
