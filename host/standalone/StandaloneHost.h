// The standalone program's host of the plug-in: it hands the plug-in one
// block at a time with the transport the caller gives, and collects the
// MIDI the plug-in sends during the block, without locking or allocating,
// so that the audio thread of a JACK server or of a timer can drive it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/PluginHost.h"
#include "host/standalone/CollectedEvents.h"

class StandaloneHost final : public PluginHost {
public:
  // Longer blocks than this are not played (JACK's longest period).
  static constexpr VstInt32 kMostFrames = 8192;

  // Loads the plug-in; throws HostError when it cannot.
  explicit StandaloneHost(const std::string& pluginPath);
  ~StandaloneHost();

  // Before the audio runs: opens the plug-in and switches it on.
  void start(double sampleRate, VstInt32 blockSize);
  // Any thread: the sample rate or the block size changed. The audio thread
  // tells the plug-in before its next block, switched off around it as
  // hosts do, so it never meets a block of a size it was not told of.
  void changeFormat(double sampleRate, VstInt32 blockSize);

  // Audio thread: one processReplacing call of `frames` frames (at most
  // kMostFrames) at `time`. The events are the plug-in's, inside the block
  // and in time order, valid until the next call.
  CollectedEvents& runBlock(const VstTimeInfo& time, VstInt32 frames);

  // The patterns, from any thread but the audio one. loadChunk answers
  // whether the plug-in took it.
  bool loadChunk(std::vector<std::uint8_t> chunk);
  std::vector<std::uint8_t> chunk();

  // Follows the editor's requests for a new size (a change of its scale),
  // from the thread that idles the editor; unset, they are refused.
  std::function<void(int width, int height)> resizeWindow;

private:
  VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) override;
  void applyFormatChange();

  VstTimeInfo time_{};
  CollectedEvents events_;
  std::vector<float> silence_;
  std::vector<float> outputs_[2];
  // A change written while the audio thread reads it raises the flag
  // again: the next block then gets the whole of it.
  std::atomic<double> pendingRate_{0.0};
  std::atomic<VstInt32> pendingBlockSize_{0};
  std::atomic<bool> formatChanged_{false};
  std::atomic<double> sampleRate_{44100.0};
};
