// The editor base: what the host's editor opcodes reach.
#pragma once

#include "frame/DAEffectX.h"

class AudioEffect;

class AEffEditor {
public:
  explicit AEffEditor(AudioEffect* effect);
  virtual ~AEffEditor() = default;
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual VstIntPtr getRect(ERect** rect);
  virtual VstIntPtr open(void* parentWindow);
  virtual void close();
  virtual void idle();
  virtual void update();
  virtual void postUpdate();
  virtual VstInt32 onKeyDown(VstKeyCode& keyCode);
  virtual VstInt32 onKeyUp(VstKeyCode& keyCode);
  virtual VstInt32 setKnobMode(VstInt32 mode);
  virtual bool onWheel(float distance);

protected:
  AudioEffect* effect;
  void* systemWindow = nullptr;
  VstInt32 updateFlag = 0;
};
