// The editor's undo and redo: every user action, from a click to a whole
// stroke, kept as the fields it changed with their values either side
// (never whole patterns), newest last. Lives with the plug-in's editor-side
// patterns, so it outlasts the editor window and ends with the plug-in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "engine/PatternFields.h"

struct EditAction {
  std::vector<FieldChange> changes;
  // A recall that waited for the next step: the operation that queued it,
  // so that undoing it in time can keep it from taking over.
  std::uint64_t queuedRecall = 0;
};

class EditHistory {
public:
  // The oldest actions go beyond this many.
  static constexpr std::size_t kMaxActions = 256;

  // Between begin and end every recorded change belongs to one action.
  // Changes recorded outside belong to none.
  void begin();
  void end();
  bool isOpen() const { return open_; }

  // What one edit did to one slot.
  void record(int slot, const Pattern& before, const Pattern& after);
  void recordQueuedRecall(std::uint64_t seq) { queuedRecall_ = seq; }

  // The action to take back (or to do again) and the history's step over
  // it; null when there is none.
  const EditAction* undo();
  const EditAction* redo();
  // Forgets everything, the action being recorded included.
  void clear();

  std::size_t undoCount() const { return done_; }
  std::size_t redoCount() const { return actions_.size() - done_; }
  // The memory the kept actions take.
  std::size_t bytes() const;

private:
  void commit();

  std::deque<EditAction> actions_;
  std::size_t done_ = 0;  // actions_[0, done_) are in effect
  bool open_ = false;
  // The action being recorded, each field once: its first `before`, its last `after`.
  std::map<std::uint32_t, FieldChange> pending_;
  std::vector<FieldChange> scratch_;
  std::uint64_t queuedRecall_ = 0;
};
