// The editor's side of the patterns (see PatternChannel.h): the model that
// the accessor reads and writes, under a mutex that only non-audio threads
// take. Each call first takes in what the audio side signalled (a pattern
// switch that happened, a MIDI recall that arrived), so the model shows it.
// It also keeps the editor's undo history: every change made through
// setValue is recorded, and undo and redo put fields back through the same
// operations the accessor sends.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/EditHistory.h"
#include "engine/PatternChannel.h"

class EditorPatterns {
public:
  explicit EditorPatterns(PatternChannel& channel);

  // Every kind but MidiFileExport, which needs the pattern only (currentPattern).
  void setValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind);
  VstInt16 getValue(VstInt32 step, VstInt32 row, VstInt32 kind);
  Pattern currentPattern();
  void saveImage(unsigned char* image);
  bool loadImage(const void* image, std::size_t size);
  void reset();

  // One user action, from the press that starts it to the release that ends
  // it: every setValue between is undone and redone as one.
  void beginAction();
  void endAction();
  // False when there was nothing to undo or redo.
  bool undo();
  bool redo();
  std::size_t historyBytes();

private:
  void recordedSetValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind);
  void applyValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind);
  bool stepThroughHistory(bool undoing);
  void putBack(const EditAction& action, bool undoing);
  void takeSignals();
  void recall(int pattern, std::uint32_t gen);
  void send(const PatternOp& op);
  void publishModel();

  PatternChannel& channel_;
  std::mutex mutex_;
  std::unique_ptr<PatternReplica> model_;
  std::uint64_t publishedSeq_ = 0;  // the operation the last published copy covers
  EditHistory history_;
  // What recordedSetValue compares, kept to spare an allocation per call.
  std::vector<int> touchedSlots_;
  std::vector<Pattern> slotsBefore_;
};
