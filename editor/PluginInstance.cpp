// The plug-in instance the entry point creates: the engine with its editor.
#include "editor/APluginEditor.h"
#include "frame/PluginEntry.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  return new APlugin(audioMaster,
                     [](APlugin& plugin) -> AEffEditor* { return new APluginEditor(&plugin); });
}
