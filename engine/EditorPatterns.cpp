#include "engine/EditorPatterns.h"

#include <algorithm>

EditorPatterns::EditorPatterns(PatternChannel& channel)
    : channel_(channel), model_(std::make_unique<PatternReplica>()) {}

void EditorPatterns::setValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
  std::lock_guard section(mutex_);
  takeSignals();
  if (kind == PatternStoreRecall) {
    if (value < 0 || value >= kStoredPatterns) return;
    if (step == 0) recall(value, 0);
    if (step == 1) send({OpKind::Store, 0, static_cast<std::uint8_t>(value), 0, 0, 0});
    return;
  }
  if (!PatternMemory::accepts(step, row, kind)) return;
  send({OpKind::Edit, static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(step & 0x1F),
        static_cast<std::uint8_t>(row & 0x0F), value, 0});
}

VstInt16 EditorPatterns::getValue(VstInt32 step, VstInt32 row, VstInt32 kind) {
  std::lock_guard section(mutex_);
  takeSignals();
  return model_->memory.getValue(step, row, kind);
}

Pattern EditorPatterns::currentPattern() {
  std::lock_guard section(mutex_);
  takeSignals();
  return model_->memory.current();
}

void EditorPatterns::saveImage(unsigned char* image) {
  std::lock_guard section(mutex_);
  takeSignals();
  model_->memory.savePatternImage(image);
}

bool EditorPatterns::loadImage(const void* image, std::size_t size) {
  // A refused chunk changes nothing, not even by taking in the audio side's news.
  if (size != kChunkSize) return false;
  std::lock_guard section(mutex_);
  takeSignals();
  if (!model_->memory.loadPatternImage(image, size)) return false;
  publishModel();
  return true;
}

void EditorPatterns::reset() {
  std::lock_guard section(mutex_);
  takeSignals();
  model_->memory.reset();
  publishModel();
}

// A switch that the audio thread made happened before whatever MIDI recall
// is still to be carried out: had that recall reached the audio thread
// first, it would have been the one to take over.
void EditorPatterns::takeSignals() {
  const PatternMemory& memory = model_->memory;
  if (memory.switchPending && channel_.switchedSeq.load(std::memory_order_acquire) == memory.pendingSeq)
    send({OpKind::SwitchComplete, 0, 0, 0, 0, 0});
  const std::uint64_t posted = channel_.midiRecall.load(std::memory_order_acquire);
  const auto gen = static_cast<std::uint32_t>(posted >> 8);
  if (gen > model_->ackedGen) recall(static_cast<int>(posted & 0xFF), gen);
}

void EditorPatterns::recall(int pattern, std::uint32_t gen) {
  const OpKind kind = channel_.transportPlaying.load(std::memory_order_relaxed) ? OpKind::RecallQueued
                                                                                 : OpKind::RecallNow;
  send({kind, 0, static_cast<std::uint8_t>(pattern), 0, 0, gen});
}

// Applies the operation to the model and passes it on. When the audio side
// is a whole ring behind (the host plays no blocks), a copy of the model
// replaces the stretch of the ring it would lose; after that copy the ring
// has room for another ring's worth of operations.
void EditorPatterns::send(const PatternOp& op) {
  const std::uint64_t seq = model_->appliedSeq + 1;
  model_->apply(op, seq);
  channel_.triggerBypass.store(model_->memory.current().triggerBypass != 0, std::memory_order_relaxed);
  const std::uint64_t audioFrom =
      std::max(channel_.consumedSeq.load(std::memory_order_acquire), publishedSeq_);
  if (seq - audioFrom > OpRing::kCapacity)
    publishModel();
  else
    channel_.ring.push(seq, op.encode());
}

void EditorPatterns::publishModel() {
  channel_.snapshots.back() = *model_;
  channel_.snapshots.publish();
  publishedSeq_ = model_->appliedSeq;
  channel_.triggerBypass.store(model_->memory.current().triggerBypass != 0, std::memory_order_relaxed);
}
