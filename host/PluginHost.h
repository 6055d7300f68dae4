// What every host of this project does with a VST 2 plug-in: loads its
// library, calls the entry point with a callback that finds its way back to
// this object, and talks to the effect record. What a host answers to the
// plug-in's requests is the derived class's business.
#pragma once

#include <memory>
#include <string>

#include "frame/DAEffectX.h"
#include "host/PluginLibrary.h"

class PluginHost {
public:
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  AEffect* effect() const { return effect_; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr, float opt = 0.0f);
  std::string text(VstInt32 opcode, VstInt32 index = 0);

  // effOpen, sample rate, block size and mains on, as hosts start a plug-in.
  void start(double sampleRate, VstInt32 blockSize);
  // effClose; the record is gone afterwards. Derived classes call it from
  // their destructor, while their answers still work.
  void close();

protected:
  // Loads the library; throws HostError if it cannot be used.
  explicit PluginHost(const std::string& pluginPath);
  ~PluginHost();
  // Calls the entry point, whose requests the derived class answers: its
  // constructor calls this once it can. Throws HostError if the entry point
  // answers no effect record.
  void instantiate();

  // Called from whichever thread the plug-in calls back on, the audio
  // thread included: derived answers must suit it.
  virtual VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) = 0;

private:
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt);

  std::string path_;
  std::unique_ptr<PluginLibrary> library_;
  AEffect* effect_ = nullptr;
};
