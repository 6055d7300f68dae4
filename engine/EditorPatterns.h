// The editor's side of the patterns (see PatternChannel.h): the model that
// the accessor reads and writes, under a mutex that only non-audio threads
// take. Each call first takes in what the audio side signalled (a pattern
// switch that happened, a MIDI recall that arrived), so the model shows it.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>

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

private:
  void takeSignals();
  void recall(int pattern, std::uint32_t gen);
  void send(const PatternOp& op);
  void publishModel();

  PatternChannel& channel_;
  std::mutex mutex_;
  std::unique_ptr<PatternReplica> model_;
  std::uint64_t publishedSeq_ = 0;  // the operation the last published copy covers
};
