// A VST 2 plug-in library loaded from disk, and its entry point.
#pragma once

#include <stdexcept>
#include <string>

#include "frame/DAEffect.h"

using PluginEntryProc = AEffect* (*)(audioMasterCallback);

struct HostError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class PluginLibrary {
public:
  // Loads the library; throws HostError when it cannot be loaded or exports
  // no entry point ("VSTPluginMain" or "main").
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  PluginEntryProc entry() const { return entry_; }

private:
  void* handle_ = nullptr;
  PluginEntryProc entry_ = nullptr;
};
