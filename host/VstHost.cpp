#include "host/VstHost.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>

namespace {

void copyText(void* destination, const std::string& text, std::size_t capacity) {
  const std::size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(destination, text.data(), length);
  static_cast<char*>(destination)[length] = 0;
}

}  // namespace

VstHost::VstHost(const std::string& pluginPath, HostAnswers hostAnswers)
    : PluginHost(pluginPath), answers(std::move(hostAnswers)) {
  instantiate();
}

VstHost::~VstHost() { close(); }

void VstHost::start(double sampleRate, VstInt32 blockSize) {
  transport.sampleRate = sampleRate;
  PluginHost::start(sampleRate, blockSize);
}

void VstHost::processBlock(VstInt32 frames) {
  VstInt32 done = 0;
  do {
    const VstInt32 part = transport.framesBeforeWrap(frames - done);
    processCall(part);
    transport.advance(part);
    done += part;
  } while (done < frames);
}

void VstHost::processCall(VstInt32 frames) {
  // What a previous user of the buffers may have left in them.
  constexpr float kNoise[] = {0.5f, -0.25f, 0.125f, -1.0f};
  const auto size = static_cast<std::size_t>(std::max(frames, 0));
  if (silence_.size() < size) silence_.resize(size);
  for (auto& channel : output_) {
    channel.resize(size);
    for (std::size_t i = 0; i < size; ++i) channel[i] = kNoise[i % std::size(kNoise)];
  }
  float* inputs[2] = {silence_.data(), silence_.data()};
  float* outputs[2] = {output_[0].data(), output_[1].data()};
  PlayedBlock played{elapsed_, frames, transport.timeInfo(), false};
  {
    std::lock_guard lock(recording_);
    timeInfo_ = played.time;
    listInBlock_ = 0;
  }
  effect()->processReplacing(effect(), inputs, outputs, frames);
  played.silent = std::all_of(output_[0].begin(), output_[0].end(), [](float x) { return x == 0.0f; }) &&
                  std::all_of(output_[1].begin(), output_[1].end(), [](float x) { return x == 0.0f; });
  elapsed_ += frames;
  std::lock_guard lock(recording_);
  blocks.push_back(played);
  ++block_;
}

VstIntPtr VstHost::sendMidi(const std::vector<VstMidiEvent>& events) {
  // VstEvents declares two pointers; give it room for all of them.
  std::vector<unsigned char> storage(sizeof(VstEvents) + events.size() * sizeof(VstEvent*));
  auto* list = reinterpret_cast<VstEvents*>(storage.data());
  list->numEvents = static_cast<VstInt32>(events.size());
  // Through a pointer: indexing the declared array past two is out of bounds.
  VstEvent** slots = list->events;
  for (std::size_t i = 0; i < events.size(); ++i)
    slots[i] = reinterpret_cast<VstEvent*>(const_cast<VstMidiEvent*>(&events[i]));
  return dispatch(effProcessEvents, 0, 0, list);
}

VstIntPtr VstHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
  if (opcode == audioMasterSizeWindow) return answerSizeWindow(index, value);
  std::lock_guard lock(recording_);
  calls.push_back({opcode, index, value});
  switch (opcode) {
    case audioMasterVersion: return answers.version;
    case audioMasterWantMidi: return 1;
    case audioMasterGetTime: {
      // Each thread reads its own copy: the audio thread rewrites the block's.
      thread_local VstTimeInfo copy;
      copy = timeInfo_;
      return transport.hasTimeInfo ? reinterpret_cast<VstIntPtr>(&copy) : 0;
    }
    case audioMasterProcessEvents: {
      const auto* list = static_cast<const VstEvents*>(ptr);
      if (!list) return 0;
      VstEvent* const* events = list->events;
      for (VstInt32 i = 0; i < list->numEvents; ++i) {
        if (events[i]->type != kVstMidiType) continue;
        ReceivedEvent event{block_, listInBlock_, {}};
        std::memcpy(&event.midi, events[i], sizeof(VstMidiEvent));
        received.push_back(event);
      }
      ++listInBlock_;
      return answers.processEvents;
    }
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(transport.sampleRate);
    case audioMasterGetVendorString: copyText(ptr, answers.vendor, kVstMaxVendorStrLen); return 1;
    case audioMasterGetProductString:
      copyText(ptr, answers.product, kVstMaxProductStrLen);
      return 1;
    case audioMasterGetVendorVersion: return 1;
    case audioMasterCanDo: {
      const char* what = static_cast<const char*>(ptr);
      for (const char* yes : {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo",
                              "receiveVstEvents", "receiveVstMidiEvent", "sizeWindow"})
        if (what && std::strcmp(what, yes) == 0) return 1;
      return 0;
    }
    default: return 0;
  }
}

// The window is resized outside the recording lock: the audio thread must
// not wait for the window system.
VstIntPtr VstHost::answerSizeWindow(VstInt32 width, VstIntPtr height) {
  {
    std::lock_guard lock(recording_);
    calls.push_back({audioMasterSizeWindow, width, height});
  }
  if (!answers.sizeWindow || width <= 0 || height <= 0) return 0;
  if (resizeWindow) resizeWindow(width, static_cast<int>(height));
  return 1;
}

VstMidiEvent midiEvent(unsigned char status, unsigned char data1, unsigned char data2,
                       VstInt32 deltaFrames) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = deltaFrames;
  event.midiData[0] = status;
  event.midiData[1] = data1;
  event.midiData[2] = data2;
  return event;
}
