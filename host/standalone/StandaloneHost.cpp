#include "host/standalone/StandaloneHost.h"

#include <algorithm>
#include <cstring>

namespace {

// Both names fit the shortest buffer a plug-in may hand over.
VstIntPtr copyText(void* destination, const char* text) {
  if (!destination) return 0;
  std::strcpy(static_cast<char*>(destination), text);
  return 1;
}

}  // namespace

StandaloneHost::StandaloneHost(const std::string& pluginPath)
    : PluginHost(pluginPath),
      silence_(kMostFrames, 0.0f),
      outputs_{std::vector<float>(kMostFrames), std::vector<float>(kMostFrames)} {
  instantiate();
}

StandaloneHost::~StandaloneHost() { close(); }

void StandaloneHost::start(double sampleRate, VstInt32 blockSize) {
  sampleRate_ = sampleRate;
  PluginHost::start(sampleRate, blockSize);
}

void StandaloneHost::changeFormat(double sampleRate, VstInt32 blockSize) {
  pendingRate_.store(sampleRate);
  pendingBlockSize_.store(blockSize);
  formatChanged_.store(true);
}

void StandaloneHost::applyFormatChange() {
  if (!formatChanged_.exchange(false)) return;
  const double rate = pendingRate_.load();
  sampleRate_ = rate;
  dispatch(effMainsChanged, 0, 0);
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
  dispatch(effSetBlockSize, 0, pendingBlockSize_.load());
  dispatch(effMainsChanged, 0, 1);
}

CollectedEvents& StandaloneHost::runBlock(const VstTimeInfo& time, VstInt32 frames) {
  applyFormatChange();
  frames = std::clamp(frames, 0, kMostFrames);
  time_ = time;
  events_.begin(frames);
  float* inputs[2] = {silence_.data(), silence_.data()};
  float* outputs[2] = {outputs_[0].data(), outputs_[1].data()};
  effect()->processReplacing(effect(), inputs, outputs, frames);
  return events_;
}

bool StandaloneHost::loadChunk(std::vector<std::uint8_t> chunk) {
  return dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data()) == 1;
}

std::vector<std::uint8_t> StandaloneHost::chunk() {
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
  if (size <= 0 || !data) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

VstIntPtr StandaloneHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
  switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterWantMidi: return 1;
    // The plug-in asks for both during processReplacing, on the audio thread.
    case audioMasterGetTime: return reinterpret_cast<VstIntPtr>(&time_);
    case audioMasterProcessEvents:
      if (ptr) events_.take(*static_cast<const VstEvents*>(ptr));
      return 1;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(sampleRate_.load());
    case audioMasterGetVendorString: return copyText(ptr, "Quaverlin");
    case audioMasterGetProductString: return copyText(ptr, "Quaverlin Standalone");
    case audioMasterGetVendorVersion: return 1;
    case audioMasterSizeWindow:
      if (!resizeWindow || index <= 0 || value <= 0 || value > 1 << 16) return 0;
      resizeWindow(index, static_cast<int>(value));
      return 1;
    case audioMasterCanDo: {
      const char* what = static_cast<const char*>(ptr);
      for (const char* yes : {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "sizeWindow"})
        if (what && std::strcmp(what, yes) == 0) return 1;
      return 0;
    }
    default: return 0;
  }
}
