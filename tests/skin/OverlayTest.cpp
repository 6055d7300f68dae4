#include <gtest/gtest.h>

#include "skin/Overlay.h"

TEST(Overlay, BlendsEachChannelWithTheSkinsRounding) {
  // A label of #80A888 at opacity 200 over a background whose red is #20.
  Surface beneath(1, 1, ToPixel(0x204060));
  Surface own(1, 1, ToPixel(0x80A888));
  Overlay(beneath, own, 0, 0, 200, beneath.Bounds());
  EXPECT_EQ(RedOf(beneath.ColorAt(0, 0)), (200 * 0x80 + 55 * 0x20) / 256 + 1);
  EXPECT_EQ(RedOf(beneath.ColorAt(0, 0)), 107);
  EXPECT_EQ(GreenOf(beneath.ColorAt(0, 0)), (200 * 0xA8 + 55 * 0x40) / 256 + 1);
  EXPECT_EQ(BlueOf(beneath.ColorAt(0, 0)), (200 * 0x88 + 55 * 0x60) / 256 + 1);
}

TEST(Overlay, AddsOneEvenWhereBothSidesAreBlackAndNeverOverflows) {
  EXPECT_EQ(ToColor(BlendPixel(ToPixel(0x000000), ToPixel(0x000000), 100)), 0x010101u);
  EXPECT_EQ(ToColor(BlendPixel(ToPixel(0xFFFFFF), ToPixel(0xFFFFFF), 254)), 0xFFFFFFu);
}

TEST(Overlay, CopiesAtFullOpacityAndTouchesOnlyTheClip) {
  Surface beneath(4, 1, ToPixel(0x111111));
  Surface own(3, 1, ToPixel(0xABCDEF));
  Overlay(beneath, own, 1, 0, 255, TRect{0, 0, 3, 1});
  EXPECT_EQ(beneath.ColorAt(0, 0), 0x111111u);
  EXPECT_EQ(beneath.ColorAt(1, 0), 0xABCDEFu);
  EXPECT_EQ(beneath.ColorAt(2, 0), 0xABCDEFu);
  EXPECT_EQ(beneath.ColorAt(3, 0), 0x111111u);  // under `own`, outside the clip
}
