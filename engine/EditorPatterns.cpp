#include "engine/EditorPatterns.h"

#include <algorithm>

#include "engine/AudioPatterns.h"

EditorPatterns::EditorPatterns(PatternChannel& channel)
    : channel_(channel), model_(std::make_unique<PatternReplica>()) {}

namespace {

// The slots a setValue call may change.
void slotsChangedBy(VstInt32 step, VstInt16 value, VstInt32 kind, std::vector<int>& slots) {
  slots.clear();
  if (kind == PatternStoreRecall && step == 0) slots = {kCurrentSlot, kQueuedSlot};
  else if (kind == PatternStoreRecall) slots.push_back(value);
  else if (kind == PatternUsed) slots.push_back(step);
  else if (kind == TriggerBypass)
    for (int slot = 0; slot < kPatternSlots; ++slot) slots.push_back(slot);
  else slots.push_back(kCurrentSlot);
}

}  // namespace

void EditorPatterns::setValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
  std::lock_guard section(mutex_);
  takeSignals();
  if (kind == PatternStoreRecall) {
    if (value < 0 || value >= kStoredPatterns || (step != 0 && step != 1)) return;
  } else if (!PatternMemory::accepts(step, row, kind)) {
    return;
  }
  recordedSetValue(step, row, value, kind);
}

// Compares the slots the call may change before and after it. A recall that
// waits for the next step is recorded as what it will do: its pattern
// replaces the current one. A call outside an action is one of its own.
void EditorPatterns::recordedSetValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
  const bool alone = !history_.isOpen();
  if (alone) history_.begin();
  const PatternMemory& memory = model_->memory;
  slotsChangedBy(step, value, kind, touchedSlots_);
  slotsBefore_.clear();
  for (int slot : touchedSlots_) slotsBefore_.push_back(memory.patterns[slot]);
  applyValue(step, row, value, kind);
  const bool queued = kind == PatternStoreRecall && step == 0 && memory.switchPending &&
                      memory.pendingSeq == model_->appliedSeq;
  if (queued) history_.recordQueuedRecall(model_->appliedSeq);
  for (std::size_t i = 0; i < touchedSlots_.size(); ++i) {
    const int slot = touchedSlots_[i];
    const bool takesOver = queued && slot == kCurrentSlot;
    history_.record(slot, slotsBefore_[i], takesOver ? memory.queued() : memory.patterns[slot]);
  }
  if (alone) history_.end();
}

void EditorPatterns::applyValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
  if (kind == PatternStoreRecall) {
    if (step == 0) recall(value, 0);
    if (step == 1) send({OpKind::Store, 0, static_cast<std::uint8_t>(value), 0, 0, 0});
    return;
  }
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
  // A project the host loads is not the user's edit, and what came before
  // it cannot be put back into it.
  history_.clear();
  publishModel();
  return true;
}

void EditorPatterns::reset() {
  std::lock_guard section(mutex_);
  takeSignals();
  model_->memory.reset();
  history_.clear();
  publishModel();
}

void EditorPatterns::beginAction() {
  std::lock_guard section(mutex_);
  history_.begin();
}

void EditorPatterns::endAction() {
  std::lock_guard section(mutex_);
  history_.end();
}

bool EditorPatterns::undo() { return stepThroughHistory(true); }
bool EditorPatterns::redo() { return stepThroughHistory(false); }

// An action still being recorded ends first; what follows it in the same
// gesture becomes an action of its own.
bool EditorPatterns::stepThroughHistory(bool undoing) {
  std::lock_guard section(mutex_);
  takeSignals();
  const bool wasOpen = history_.isOpen();
  history_.end();
  const EditAction* action = undoing ? history_.undo() : history_.redo();
  if (action) putBack(*action, undoing);
  if (wasOpen) history_.begin();
  return action != nullptr;
}

std::size_t EditorPatterns::historyBytes() {
  std::lock_guard section(mutex_);
  return history_.bytes();
}

// Small actions go out as the field edits the accessor itself sends. One
// the audio thread could not take in within one block, or that reaches
// fields no accessor kind writes (a stored pattern's cells, the queued
// slot), goes out whole, as a copy of the model: the audio thread never
// plays it half put back.
void EditorPatterns::putBack(const EditAction& action, bool undoing) {
  PatternMemory& memory = model_->memory;
  const bool cancelled = undoing && action.queuedRecall != 0 && memory.switchPending &&
                         memory.pendingSeq == action.queuedRecall;
  if (cancelled) memory.cancelSwitch();
  // A pattern that still waits to take over keeps its slot.
  const auto kept = [&](const FieldChange& c) { return c.slot == kQueuedSlot && memory.switchPending; };
  const bool whole =
      cancelled || action.changes.size() > static_cast<std::size_t>(AudioPatterns::kBlockBudget) ||
      std::any_of(action.changes.begin(), action.changes.end(),
                  [&](const FieldChange& c) { return !kept(c) && !accessorKindOf(c); });
  for (const FieldChange& change : action.changes) {
    if (kept(change)) continue;
    const std::int16_t value = undoing ? change.before : change.after;
    if (whole) {
      writeField(memory.patterns[change.slot], change, value);
      continue;
    }
    const ValueKind kind = *accessorKindOf(change);
    const std::uint8_t step = kind == PatternUsed ? change.slot : change.step;
    send({OpKind::Edit, static_cast<std::uint8_t>(kind), step, change.row, value, 0});
  }
  if (whole) publishModel();
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
  if (gen > model_->ackedGen) {
    // The user did not make it: it is not undone, and the edits before it
    // belonged to a pattern that no longer plays.
    history_.clear();
    recall(static_cast<int>(posted & 0xFF), gen);
  }
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
