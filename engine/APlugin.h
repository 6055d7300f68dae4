// APlugin: the step sequencer as the host sees it.
//
// Threads: processReplacing runs the step clock on the host's audio thread;
// processEvents recalls patterns from the host's MIDI delivery; the editor
// reads and changes the patterns through setPatternValue / getPatternValue.
// The audio path (processReplacing, processEvents) never waits for the
// others: the editor's side and the audio side each keep their own copy of
// the patterns and meet only through atomics (PatternChannel.h). Identity
// and program names belong to the host's user interface thread; the program
// number and editorClosed are atomics because hosts also touch them from
// the audio thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "engine/APluginProgram.h"
#include "engine/AudioPatterns.h"
#include "engine/BlockEvents.h"
#include "engine/EditorPatterns.h"
#include "engine/PatternChannel.h"
#include "engine/PlayingStep.h"
#include "engine/StepClock.h"
#include "engine/ValueKind.h"
#include "frame/DAudioEffectX.h"

class APlugin;

// The editor bridge is made by the layer above the engine and handed in, so
// the engine never depends on the editor.
using EditorFactory = AEffEditor* (*)(APlugin& plugin);

// The sample rate of the last block any instance played (44100 until then):
// the editor converts shifts between samples and its gauges with it.
extern std::atomic<double> currentSampleRate;

class APlugin : public AudioEffectX {
public:
  static constexpr VstInt32 kNumPrograms = 16;
  static constexpr VstInt32 kNumParams = 0;
  static constexpr const char* kExportFileName = "QVMidi.mid";

  APlugin(audioMasterCallback audioMaster, EditorFactory makeEditor);
  ~APlugin() override;

  // The pattern accessor. MidiFileExport may throw std::runtime_error
  // ("Cannot create file <path>") to its caller.
  void setPatternValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) override;
  VstInt16 getPatternValue(VstInt32 step, VstInt32 row, VstInt32 kind) override;
  void resetPatterns();

  // The editor's undo history (EditorPatterns). An action runs from
  // beginEditAction to endEditAction; undo and redo answer whether there
  // was one to take back or do again.
  void beginEditAction() { editorPatterns_.beginAction(); }
  void endEditAction() { editorPatterns_.endAction(); }
  bool undoEdit() { return editorPatterns_.undo(); }
  bool redoEdit() { return editorPatterns_.redo(); }
  std::size_t editHistoryBytes() { return editorPatterns_.historyBytes(); }
  // Writes the current pattern as a Standard MIDI File; throws
  // std::runtime_error "Cannot create file <path>" when it cannot create it.
  void writeMidiFile(const std::string& path);

  // The sequencer makes no sound: processReplacing writes silence to both
  // outputs, process (which adds to them) leaves them alone.
  void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  VstInt32 processEvents(VstEvents* events) override;

  // Identity and capabilities.
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;
  VstInt32 canDo(char* text) override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
  void suspend() override;
  void resume() override;

  // Programs: names only.
  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

  // No parameters.
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  void getParameterName(VstInt32 index, char* text) override;
  float getVu() override;

  // The chunk: the 26 pattern slots. getChunk hands out a copy of the
  // editor's model, kept until the next getChunk.
  VstInt32 getChunk(void** data, bool isPreset) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

  // The step being played, for the editor's grid, or PlayingStep::kNone
  // while the transport stands. Any thread; never waits.
  int playingStep() const { return playingStep_.read(); }
  // How many blocks (and switch-offs) published a step, wrapping.
  unsigned playingStepPublications() const { return playingStep_.publications(); }

  // Set by the editor bridge: no editor window exists.
  std::atomic<bool> editorClosed{false};

private:
  void updateEditor();

  char hostVendor_[kVstMaxVendorStrLen + 1] = {};
  char hostProduct_[kVstMaxProductStrLen + 1] = {};
  APluginProgram programs_[kNumPrograms];
  std::unique_ptr<PatternChannel> channel_;
  EditorPatterns editorPatterns_;
  AudioPatterns audioPatterns_;
  // The audio thread's own: the clock's state from block to block and the
  // block's event list.
  StepClock clock_;
  BlockEvents blockEvents_;
  PlayingStep playingStep_;
  std::unique_ptr<unsigned char[]> chunkCopy_;
};
