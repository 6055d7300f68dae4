// The lock-free pieces between the editor's side and the audio thread: the
// operation ring (in order, across the wrap, overwrites seen), the triple
// buffer (the newest published buffer, no copy) and the operation's word.
#include <gtest/gtest.h>

#include <memory>

#include "engine/OpRing.h"
#include "engine/PatternOp.h"
#include "engine/TripleBuffer.h"

TEST(OpRing, ReadsOperationsInOrderAcrossTheWrap) {
  auto ring = std::make_unique<OpRing>();
  std::uint64_t word = 0;
  for (std::uint64_t seq = 1; seq <= 3 * OpRing::kCapacity; ++seq) {
    EXPECT_EQ(ring->read(seq, word), OpRing::Read::NotYet);
    ring->push(seq, seq * 7);
    ASSERT_EQ(ring->read(seq, word), OpRing::Read::Ready) << seq;
    EXPECT_EQ(word, seq * 7);
  }
}

TEST(OpRing, AReaderAWholeRingBehindSeesItsSlotOverwritten) {
  auto ring = std::make_unique<OpRing>();
  for (std::uint64_t seq = 1; seq <= OpRing::kCapacity + 5; ++seq) ring->push(seq, seq);
  std::uint64_t word = 0;
  for (std::uint64_t seq = 1; seq <= 5; ++seq) EXPECT_EQ(ring->read(seq, word), OpRing::Read::Overwritten);
  EXPECT_EQ(ring->read(6, word), OpRing::Read::Ready);
  EXPECT_EQ(ring->read(OpRing::kCapacity + 6, word), OpRing::Read::NotYet);
}

TEST(TripleBuffer, TheReaderTakesOnlyTheNewestPublishedBuffer) {
  TripleBuffer<int> buffers;
  EXPECT_FALSE(buffers.takeNewest());
  buffers.back() = 1;
  buffers.publish();
  buffers.back() = 2;
  buffers.publish();
  ASSERT_TRUE(buffers.takeNewest());
  EXPECT_EQ(buffers.front(), 2);
  EXPECT_FALSE(buffers.takeNewest());
  EXPECT_EQ(buffers.front(), 2);
  buffers.back() = 3;  // the writer's buffer is never the reader's
  EXPECT_EQ(buffers.front(), 2);
  buffers.publish();
  ASSERT_TRUE(buffers.takeNewest());
  EXPECT_EQ(buffers.front(), 3);
}

TEST(PatternOp, EveryFieldSurvivesItsWord) {
  const PatternOp ops[] = {
      {OpKind::Edit, StepShift, 31, 11, -32768, 0},
      {OpKind::Edit, TriggerBypass, 0, 0, 32767, 0},
      {OpKind::Store, 0, 23, 0, 0, 0},
      {OpKind::RecallNow, 0, 5, 0, 0, 0xFFFFFFFFu},
      {OpKind::RecallQueued, 0, 17, 0, 0, 12345},
      {OpKind::SwitchComplete, 0, 0, 0, 0, 0},
  };
  for (const PatternOp& op : ops) EXPECT_EQ(PatternOp::decode(op.encode()), op);
}
