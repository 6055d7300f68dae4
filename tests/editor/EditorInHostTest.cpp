// The built library's editor as a host drives it without a window to put
// it in: every open answers failure and creates nothing, the calls around
// it stay harmless while the transport plays.
#include <gtest/gtest.h>

#include "host/PatternImage.h"
#include "host/VstHost.h"

TEST(EditorInHost, WithoutAParentTwoHundredOpensFailAndLeaveNoSizeWhilePlaying) {
  VstHost host(QUAVERLIN_PLUGIN_PATH);
  host.start(48000.0, 256);
  EXPECT_TRUE(host.effect()->flags & effFlagsHasEditor);
  PatternImage image;
  for (int step = 0; step < 32; step += 2) image.setCell(PatternImage::kCurrent, 0, step);
  ASSERT_EQ(host.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(image.bytes().size()),
                          image.bytes().data()),
            1);
  ERect* rect = nullptr;
  for (int cycle = 0; cycle < 200; ++cycle) {
    ASSERT_EQ(host.dispatch(effEditOpen), 0);
    ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    host.dispatch(effEditIdle);
    host.processBlock(256);
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
  }
  host.dispatch(effEditIdle);
  // No window ever existed: the size is still unknown.
  ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->bottom, 0);
  EXPECT_EQ(rect->right, 0);
  EXPECT_FALSE(host.received.empty()) << "the step clock played on between the cycles";
  host.close();
}
