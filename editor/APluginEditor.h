// APluginEditor: the bridge between the host's editor opcodes and the
// editor window.
#pragma once

#include "engine/APlugin.h"

class APluginEditor : public AEffEditor {
public:
  explicit APluginEditor(APlugin* plugin);
};
