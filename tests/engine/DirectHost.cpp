#include "tests/engine/DirectHost.h"

#include <cmath>
#include <cstring>

#include "frame/PluginEntry.h"

DirectHost::DirectHost(EditorKind editor) : editor_(editor), plugin_(makePlugin()) {}

std::unique_ptr<APlugin> DirectHost::makePlugin() {
  std::unique_ptr<APlugin> plugin(
      editor_ == EditorKind::bridge
          ? static_cast<APlugin*>(createEffectInstance(&DirectHost::callback))
          : new APlugin(&DirectHost::callback, nullptr));
  plugin->getAeffect()->user = this;
  return plugin;
}

void DirectHost::reopen() {
  AEffect* effect = plugin_.release()->getAeffect();
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  plugin_ = makePlugin();
}

DirectHost::~DirectHost() = default;

void DirectHost::play(VstInt32 frames) {
  plugin_->processReplacing(nullptr, nullptr, frames);
  ++block;
}

std::vector<unsigned char> DirectHost::image() {
  void* data = nullptr;
  const VstInt32 size = plugin_->getChunk(&data, false);
  const auto* bytes = static_cast<const unsigned char*>(data);
  return {bytes, bytes + size};
}

bool DirectHost::load(std::vector<unsigned char> image) {
  return plugin_->setChunk(image.data(), static_cast<VstInt32>(image.size()), false) == 1;
}

VstIntPtr DirectHost::callback(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr,
                               float) {
  auto* host = effect ? static_cast<DirectHost*>(effect->user) : nullptr;
  if (opcode == audioMasterVersion) return 2400;
  if (!host) return 0;
  if (opcode == audioMasterGetTime) return host->hasTime ? reinterpret_cast<VstIntPtr>(&host->time) : 0;
  if (opcode == audioMasterProcessEvents) {
    const auto* list = static_cast<const VstEvents*>(ptr);
    SentList sent{host->block, {}};
    // Through a pointer: the list holds more than the two entries it declares.
    VstEvent* const* events = list->events;
    for (VstInt32 i = 0; i < list->numEvents; ++i) {
      VstMidiEvent event;
      std::memcpy(&event, events[i], sizeof event);
      sent.events.push_back(event);
    }
    host->lists.push_back(std::move(sent));
    return 1;
  }
  return 0;
}

VstTimeInfo playingAt(double ppqPos, double tempo, double sampleRate) {
  VstTimeInfo info{};
  info.sampleRate = sampleRate;
  info.tempo = tempo;
  info.ppqPos = ppqPos;
  info.barStartPos = std::floor(ppqPos / 4.0) * 4.0;
  info.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid;
  return info;
}
