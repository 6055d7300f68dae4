#include "frame/AEffEditor.h"

AEffEditor::AEffEditor(AudioEffect* effect) : effect(effect) {}

VstIntPtr AEffEditor::getRect(ERect**) { return 0; }

VstIntPtr AEffEditor::open(void* parentWindow) {
  systemWindow = parentWindow;
  return 0;
}

void AEffEditor::close() {}

void AEffEditor::idle() {
  if (updateFlag) {
    updateFlag = 0;
    update();
  }
}

void AEffEditor::update() {}
void AEffEditor::postUpdate() { updateFlag = 1; }
VstInt32 AEffEditor::onKeyDown(VstKeyCode&) { return -1; }
VstInt32 AEffEditor::onKeyUp(VstKeyCode&) { return -1; }
VstInt32 AEffEditor::setKnobMode(VstInt32) { return 0; }
bool AEffEditor::onWheel(float) { return false; }
