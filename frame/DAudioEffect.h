// AudioEffect: the plug-in object's base. It owns the effect record that the
// host holds, the host callback and the attached editor, and turns the base
// opcodes (0 to 24) into virtual operations.
#pragma once

#include <atomic>

#include "frame/AEffEditor.h"
#include "frame/DAEffectX.h"

class AudioEffect {
public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // The virtual operations, in the order the frame fixes.
  virtual void setSampleRate(float newSampleRate);
  virtual void setBlockSize(VstInt32 newBlockSize);
  // The places of VST 2's setParameter/getParameter carry the pattern
  // accessor; no opcode and no record entry reaches them.
  virtual void setPatternValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind);
  virtual VstInt16 getPatternValue(VstInt32 step, VstInt32 row, VstInt32 kind);
  virtual void setParameterAutomated(VstInt32 index, float value);
  virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames);
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt);
  virtual void open();
  virtual void close();
  virtual VstInt32 getProgram();
  virtual void setProgram(VstInt32 program);
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* name);
  virtual void getParameterLabel(VstInt32 index, char* label);
  virtual void getParameterDisplay(VstInt32 index, char* text);
  virtual void getParameterName(VstInt32 index, char* text);
  virtual float getVu();
  virtual VstInt32 getChunk(void** data, bool isPreset);
  virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);
  virtual void suspend();
  virtual void resume();
  virtual void setUniqueID(VstInt32 iD);
  virtual void setNumInputs(VstInt32 inputs);
  virtual void setNumOutputs(VstInt32 outputs);
  virtual void hasVu(bool state);
  virtual void hasClip(bool state);
  virtual void canMono(bool state);
  virtual void canProcessReplacing(bool state);
  virtual void programsAreChunks(bool state);
  virtual void setRealtimeQualities(VstInt32 qualities);
  virtual void setOfflineQualities(VstInt32 qualities);
  virtual void setInitialDelay(VstInt32 delay);
  virtual VstInt32 getMasterVersion();
  virtual VstInt32 getCurrentUniqueId();
  virtual void masterIdle();
  virtual bool isInputConnected(VstInt32 input);
  virtual bool isOutputConnected(VstInt32 output);

  AEffect* getAeffect() { return &cEffect; }
  void setEditor(AEffEditor* newEditor);
  AEffEditor* getEditor() const { return editor; }

protected:
  void setFlag(VstInt32 flag, bool state);
  // Calls the host, or answers `absent` when there is no host callback.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr, float opt = 0.0f, VstIntPtr absent = 0);

  AEffect cEffect;
  float sampleRate = 44100.0f;
  AEffEditor* editor = nullptr;
  VstInt32 numPrograms;
  VstInt32 numParams;
  // Hosts set the program from the audio thread too.
  std::atomic<VstInt32> curProgram{0};
  VstInt32 blockSize = 1024;
  audioMasterCallback audioMaster;
};
