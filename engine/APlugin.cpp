#include "engine/APlugin.h"

APlugin::APlugin(audioMasterCallback audioMaster, EditorFactory makeEditor)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
  if (makeEditor) setEditor(makeEditor(*this));
  suspend();
  hasVu(false);
  setNumInputs(0);
  setNumOutputs(2);
  canMono(true);
  canProcessReplacing(true);
  isSynth(true);
  programsAreChunks(true);
  setUniqueID(fourCharCode('Q', 'V', 'L', 'N'));
  curProgram = 0;
  setProgram(0);
}

// The sequencer writes no audio; the accumulating entry does nothing at all.
void APlugin::process(float**, float**, VstInt32) {}

void APlugin::suspend() {}
