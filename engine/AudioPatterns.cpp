#include "engine/AudioPatterns.h"

#include "engine/PatternOp.h"

namespace {

int costOf(const PatternOp& op) {
  const bool copies = op.kind != OpKind::Edit || op.valueKind == PatternClear;
  return copies ? AudioPatterns::kCopyCost : 1;
}

}  // namespace

void AudioPatterns::beginBlock() noexcept {
  catchUp();
  takeMidiRecall();
}

void AudioPatterns::endBlock(bool transportPlaying) noexcept {
  transportPlaying_ = transportPlaying;
  channel_.transportPlaying.store(transportPlaying, std::memory_order_relaxed);
}

// A newer copy of the model first, then the ring from where the copy stands.
// Finding a slot overwritten means the editor's side published a copy that
// covers it before overwriting it, so the loop takes that copy and goes on.
void AudioPatterns::catchUp() noexcept {
  int budget = kBlockBudget;
  for (int round = 0; round < 3 && budget > 0; ++round) {
    if (channel_.snapshots.takeNewest()) dropAcknowledged();
    PatternReplica& copy = channel_.snapshots.front();
    OpRing::Read read = OpRing::Read::Ready;
    while (budget > 0) {
      const std::uint64_t seq = copy.appliedSeq + 1;
      std::uint64_t word = 0;
      read = channel_.ring.read(seq, word);
      if (read != OpRing::Read::Ready) break;
      const PatternOp op = PatternOp::decode(word);
      copy.apply(op, seq);
      budget -= costOf(op);
      if (op.gen) dropAcknowledged();
    }
    if (read != OpRing::Read::Overwritten) break;
  }
  channel_.consumedSeq.store(replica().appliedSeq, std::memory_order_release);
}

void AudioPatterns::takeMidiRecall() noexcept {
  const std::uint64_t posted = channel_.midiRecall.load(std::memory_order_acquire);
  const auto gen = static_cast<std::uint32_t>(posted >> 8);
  if (gen <= midiSeen_ || gen <= replica().ackedGen) return;
  midiSeen_ = gen;
  const Pattern& stored = replica().memory.patterns[posted & 0xFF];
  if (!transportPlaying_) {
    // A standing recall plays at once and cancels whatever waited.
    midiWaiting_ = {};
    midiPlaying_ = {0, gen};
    midiPatterns_[0] = stored;
  } else {
    const int buffer = midiPlaying_.buffer == 0 ? 1 : 0;
    midiWaiting_ = {buffer, gen};
    midiPatterns_[buffer] = stored;
  }
}

// The editor's side carried out the MIDI recalls up to ackedGen: the copy
// shows them now. A recall that it queued but that already plays here took
// over already, and is announced as such.
void AudioPatterns::dropAcknowledged() noexcept {
  const PatternReplica& copy = replica();
  if (midiPlaying_ && midiPlaying_.gen <= copy.ackedGen) {
    if (copy.memory.switchPending && copy.memory.pendingGen == midiPlaying_.gen)
      announceSwitch(copy.memory.pendingSeq);
    midiPlaying_ = {};
  }
  if (midiWaiting_ && midiWaiting_.gen <= copy.ackedGen) midiWaiting_ = {};
}

bool AudioPatterns::switchedOver() const {
  const PatternMemory& memory = replica().memory;
  return memory.switchPending && memory.pendingSeq == switchedSeq_;
}

bool AudioPatterns::waitsInReplica() const { return replica().memory.switchPending && !switchedOver(); }

const Pattern& AudioPatterns::playing() const {
  if (midiPlaying_) return midiPatterns_[midiPlaying_.buffer];
  return switchedOver() ? replica().memory.queued() : replica().memory.current();
}

const Pattern* AudioPatterns::waiting() const {
  if (midiWaiting_) return &midiPatterns_[midiWaiting_.buffer];
  // A MIDI recall that plays came after whatever waits in the copy.
  if (midiPlaying_ || !waitsInReplica()) return nullptr;
  return &replica().memory.queued();
}

void AudioPatterns::takeOver() {
  if (midiWaiting_) {
    midiPlaying_ = midiWaiting_;
    midiWaiting_ = {};
  } else if (!midiPlaying_ && waitsInReplica()) {
    announceSwitch(replica().memory.pendingSeq);
  }
}

void AudioPatterns::announceSwitch(std::uint64_t seq) noexcept {
  switchedSeq_ = seq;
  channel_.switchedSeq.store(seq, std::memory_order_release);
}
