#include "engine/EditHistory.h"

void EditHistory::begin() {
  if (open_) commit();
  open_ = true;
}

void EditHistory::end() {
  if (!open_) return;
  open_ = false;
  commit();
}

void EditHistory::record(int slot, const Pattern& before, const Pattern& after) {
  if (!open_) return;
  scratch_.clear();
  diffPattern(slot, before, after, scratch_);
  for (const FieldChange& change : scratch_) {
    auto [at, inserted] = pending_.try_emplace(change.address(), change);
    if (!inserted) at->second.after = change.after;
  }
}

// A field that came back to where it started is no change; an action
// without changes is none, and leaves the redo branch alone.
void EditHistory::commit() {
  EditAction action;
  action.queuedRecall = queuedRecall_;
  action.changes.reserve(pending_.size());
  for (const auto& [address, change] : pending_)
    if (change.before != change.after) action.changes.push_back(change);
  pending_.clear();
  queuedRecall_ = 0;
  if (action.changes.empty()) return;
  action.changes.shrink_to_fit();
  actions_.erase(actions_.begin() + static_cast<std::ptrdiff_t>(done_), actions_.end());
  actions_.push_back(std::move(action));
  if (actions_.size() > kMaxActions) actions_.pop_front();
  done_ = actions_.size();
}

const EditAction* EditHistory::undo() {
  if (done_ == 0) return nullptr;
  return &actions_[--done_];
}

const EditAction* EditHistory::redo() {
  if (done_ == actions_.size()) return nullptr;
  return &actions_[done_++];
}

void EditHistory::clear() {
  actions_.clear();
  done_ = 0;
  pending_.clear();
  queuedRecall_ = 0;
}

std::size_t EditHistory::bytes() const {
  std::size_t total = sizeof(*this);
  for (const EditAction& action : actions_)
    total += sizeof(EditAction) + action.changes.capacity() * sizeof(FieldChange);
  return total;
}
