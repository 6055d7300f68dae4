#include "frame/DAudioEffect.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The record's entries are the host boundary: nothing thrown inside the
// plug-in may leave through them.

// Opcodes whose handling reads or writes through ptr; a host that passes
// null there gets 0 and nothing is touched.
bool needsPointer(VstInt32 opcode) {
  switch (opcode) {
    case effSetProgramName: case effGetProgramName: case effGetParamLabel:
    case effGetParamDisplay: case effGetParamName: case effEditGetRect:
    case effGetChunk: case effSetChunk: case effProcessEvents:
    case effGetProgramNameIndexed: case effGetOutputProperties: case effGetEffectName:
    case effGetVendorString: case effGetProductString: case effCanDo:
      return true;
    default:
      return false;
  }
}

AudioEffect* objectOf(AEffect* e) { return static_cast<AudioEffect*>(e->object); }

VstIntPtr dispatchEffect(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) {
  AudioEffect* effect = objectOf(e);
  if (opcode == effClose) {
    try {
      effect->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
    }
    delete effect;
    return 1;
  }
  if (ptr == nullptr && needsPointer(opcode)) return 0;
  try {
    return effect->dispatcher(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

void processEffect(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
  try {
    objectOf(e)->process(inputs, outputs, sampleFrames);
  } catch (...) {
  }
}

void processReplacingEffect(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
  try {
    objectOf(e)->processReplacing(inputs, outputs, sampleFrames);
  } catch (...) {
  }
}

// The plug-in declares no parameters, so there is nothing to set or get.
void setParameterEffect(AEffect*, VstInt32, float) {}
float getParameterEffect(AEffect*, VstInt32) { return 0.0f; }

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                         VstInt32 numParams)
    : numPrograms(numPrograms), numParams(numParams), audioMaster(audioMaster) {
  std::memset(&cEffect, 0, sizeof cEffect);
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEffect;
  cEffect.process = processEffect;
  cEffect.setParameter = setParameterEffect;
  cEffect.getParameter = getParameterEffect;
  cEffect.numPrograms = numPrograms;
  cEffect.numParams = numParams;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = processReplacingEffect;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state)
    cEffect.flags |= flag;
  else
    cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt, VstIntPtr absent) {
  if (!audioMaster) return absent;
  return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

void AudioEffect::setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }
void AudioEffect::setBlockSize(VstInt32 newBlockSize) { blockSize = newBlockSize; }
void AudioEffect::setPatternValue(VstInt32, VstInt32, VstInt16, VstInt32) {}
VstInt16 AudioEffect::getPatternValue(VstInt32, VstInt32, VstInt32) { return 0; }
void AudioEffect::processReplacing(float**, float**, VstInt32) {}
void AudioEffect::open() {}
void AudioEffect::close() {}
VstInt32 AudioEffect::getProgram() { return curProgram; }
void AudioEffect::setProgram(VstInt32 program) { curProgram = program; }
void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char*) {}
void AudioEffect::getParameterLabel(VstInt32, char*) {}
void AudioEffect::getParameterDisplay(VstInt32, char*) {}
void AudioEffect::getParameterName(VstInt32, char*) {}
float AudioEffect::getVu() { return 0.0f; }
VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }
VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }
void AudioEffect::suspend() {}
void AudioEffect::resume() {}

void AudioEffect::setUniqueID(VstInt32 iD) { cEffect.uniqueID = iD; }
void AudioEffect::setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
void AudioEffect::setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
void AudioEffect::hasVu(bool state) { setFlag(effFlagsHasVu, state); }
void AudioEffect::hasClip(bool state) { setFlag(effFlagsHasClip, state); }
void AudioEffect::canMono(bool state) { setFlag(effFlagsCanMono, state); }
void AudioEffect::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void AudioEffect::programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
void AudioEffect::setRealtimeQualities(VstInt32 qualities) { cEffect.realQualities = qualities; }
void AudioEffect::setOfflineQualities(VstInt32 qualities) { cEffect.offQualities = qualities; }
void AudioEffect::setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion() {
  const auto version = static_cast<VstInt32>(callHost(audioMasterVersion, 0, 0, nullptr, 0, 1));
  return version == 0 ? 1 : version;
}

VstInt32 AudioEffect::getCurrentUniqueId() {
  return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(VstInt32 input) {
  return callHost(audioMasterPinConnected, input, 0, nullptr, 0, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
  return callHost(audioMasterPinConnected, output, 1, nullptr, 0, 0) == 0;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
  switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
      if (value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(static_cast<char*>(ptr)); return 0;
    case effGetProgramName: getProgramName(static_cast<char*>(ptr)); return 0;
    case effGetParamLabel: getParameterLabel(index, static_cast<char*>(ptr)); return 0;
    case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); return 0;
    case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); return 0;
    case effGetVu: return static_cast<VstIntPtr>(std::lrint(getVu() * 32767.0));
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
    case effMainsChanged:
      if (value == 0)
        suspend();
      else
        resume();
      return 0;
    case effEditGetRect: return editor ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen: return editor ? editor->open(ptr) : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effIdentify: return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      // A size beyond 32 bits cannot be a chunk of ours; do not let it wrap.
      if (value < 0 || value > std::numeric_limits<VstInt32>::max()) return 0;
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default: return 0;  // effEditDraw to effEditSleep, and anything unknown
  }
}
