#include "frame/PluginEntry.h"

AEffect* pluginMain(audioMasterCallback audioMaster) noexcept {
  try {
    // Without a host that answers its version there is nothing to talk to.
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
      return nullptr;
    AudioEffect* effect = createEffectInstance(audioMaster);
    return effect ? effect->getAeffect() : nullptr;
  } catch (...) {
    return nullptr;
  }
}
