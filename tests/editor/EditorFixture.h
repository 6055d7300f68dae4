// A plug-in instance in this process with its editor bridge, driven through
// the effect record's dispatcher as a host drives it; the editor opens
// headless, with nothing to show it in.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/APluginEditor.h"
#include "editor/PluginEditorWindow.h"
#include "frame/PluginEntry.h"
#include "host/PatternImage.h"

class EditorTest : public ::testing::Test {
protected:
  EditorTest() : plugin(static_cast<APlugin*>(createEffectInstance(nullptr))) {
    selectedRow = 0;
  }
  ~EditorTest() override { currentSampleRate = 44100.0; }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr, float opt = 0.0f) {
    AEffect* e = plugin->getAeffect();
    return e->dispatcher(e, opcode, index, value, ptr, opt);
  }
  void open() { ASSERT_EQ(bridge().openHeadless(), 1); }
  void idle() { dispatch(effEditIdle); }
  void load(PatternImage& image) {
    ASSERT_EQ(dispatch(effSetChunk, 0, static_cast<VstIntPtr>(image.bytes().size()),
                       image.bytes().data()),
              1);
  }
  PatternImage chunk() {
    void* data = nullptr;
    const auto size = dispatch(effGetChunk, 0, 0, &data);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return PatternImage({bytes, bytes + size});
  }
  APluginEditor& bridge() { return static_cast<APluginEditor&>(*plugin->getEditor()); }
  TPluginEditorWindow& window() { return *bridge().window(); }
  VstInt16 get(VstInt32 step, VstInt32 row, ValueKind kind) {
    return plugin->getPatternValue(step, row, kind);
  }
  void set(VstInt32 step, VstInt32 row, VstInt16 value, ValueKind kind) {
    plugin->setPatternValue(step, row, value, kind);
  }
  TColor pixel(int x, int y) { return window().Image().ColorAt(x, y); }

  std::unique_ptr<APlugin> plugin;
};
