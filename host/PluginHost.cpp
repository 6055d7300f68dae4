#include "host/PluginHost.h"

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace {

// The callback only receives the effect record, and during the entry point
// call not even that: records are mapped to hosts, and the host creating a
// plug-in on this thread is remembered. The audio thread looks hosts up on
// every block, so the lookup takes no lock: slots are claimed and freed
// under the mutex, read without it.
struct Registration {
  std::atomic<AEffect*> effect{nullptr};
  std::atomic<PluginHost*> host{nullptr};
};
constexpr std::size_t kMostOpenPlugins = 64;
std::array<Registration, kMostOpenPlugins> registry;
std::mutex registering;
thread_local PluginHost* creatingHost = nullptr;

void enrol(AEffect* effect, PluginHost* host) {
  std::lock_guard lock(registering);
  for (Registration& slot : registry)
    if (!slot.effect.load()) {
      slot.host.store(host);
      slot.effect.store(effect);
      return;
    }
  throw HostError("too many plug-ins open at once");
}

void withdraw(AEffect* effect) {
  std::lock_guard lock(registering);
  for (Registration& slot : registry)
    if (slot.effect.load() == effect) {
      slot.effect.store(nullptr);
      slot.host.store(nullptr);
    }
}

PluginHost* hostOf(AEffect* effect) {
  for (Registration& slot : registry)
    if (slot.effect.load() == effect) return slot.host.load();
  return nullptr;
}

}  // namespace

PluginHost::PluginHost(const std::string& pluginPath)
    : path_(pluginPath), library_(std::make_unique<PluginLibrary>(pluginPath)) {}

PluginHost::~PluginHost() = default;

void PluginHost::instantiate() {
  creatingHost = this;
  AEffect* effect = library_->entry()(&PluginHost::callback);
  creatingHost = nullptr;
  if (!effect) throw HostError(path_ + ": the entry point answered no effect");
  if (effect->magic != kEffectMagic) throw HostError(path_ + ": not a VST 2 effect");
  enrol(effect, this);
  effect_ = effect;
}

void PluginHost::close() {
  if (!effect_) return;
  effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
  withdraw(effect_);
  effect_ = nullptr;
}

VstIntPtr PluginHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginHost::text(VstInt32 opcode, VstInt32 index) {
  char buffer[256] = {};
  dispatch(opcode, index, 0, buffer);
  return std::string(buffer, strnlen(buffer, sizeof buffer - 1));
}

void PluginHost::start(double sampleRate, VstInt32 blockSize) {
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effMainsChanged, 0, 1);
}

VstIntPtr PluginHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                               void* ptr, float) {
  PluginHost* host = creatingHost;
  if (effect)
    if (PluginHost* found = hostOf(effect)) host = found;
  if (!host) return opcode == audioMasterVersion ? 2400 : 0;
  return host->answer(opcode, index, value, ptr);
}
