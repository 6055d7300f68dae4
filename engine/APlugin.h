// APlugin: the step sequencer as the host sees it.
#pragma once

#include "frame/DAudioEffectX.h"

class APlugin;

// The editor bridge is made by the layer above the engine and handed in, so
// the engine never depends on the editor.
using EditorFactory = AEffEditor* (*)(APlugin& plugin);

class APlugin : public AudioEffectX {
public:
  static constexpr VstInt32 kNumPrograms = 16;
  static constexpr VstInt32 kNumParams = 0;

  APlugin(audioMasterCallback audioMaster, EditorFactory makeEditor);

  void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void suspend() override;
};
