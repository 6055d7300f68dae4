#include "engine/APlugin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "engine/MidiFile.h"
#include "engine/TempFolder.h"

std::atomic<double> currentSampleRate{44100.0};

namespace {
constexpr VstInt32 kTimeInfoRequest = 0x7FFF;
}

APlugin::APlugin(audioMasterCallback audioMaster, EditorFactory makeEditor)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams),
      channel_(std::make_unique<PatternChannel>()),
      editorPatterns_(*channel_),
      audioPatterns_(*channel_),
      chunkCopy_(std::make_unique<unsigned char[]>(kChunkSize)) {
  getHostVendorString(hostVendor_);
  getHostProductString(hostProduct_);
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
  for (int i = 0; i < kNumPrograms; ++i) {
    char name[APluginProgram::kNameSize];
    std::snprintf(name, sizeof name, "Preset %d", i);
    programs_[i].setName(name);
  }
  curProgram = 0;
  setProgram(0);
  resetPatterns();
}

// The editor bridge reaches back into the plug-in as it goes (it marks the
// editor closed): free it while this object is still whole rather than from
// the base destructor, when only the AudioEffect part is left.
APlugin::~APlugin() {
  delete getEditor();
  setEditor(nullptr);
}

void APlugin::resetPatterns() {
  currentSampleRate = 44100.0;
  editorPatterns_.reset();
}

void APlugin::setPatternValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
  if (kind == MidiFileExport) {
    const std::string folder = tempFolder();
    if (!folder.empty()) writeMidiFile(folder + kExportFileName);
    return;
  }
  editorPatterns_.setValue(step, row, value, kind);
}

VstInt16 APlugin::getPatternValue(VstInt32 step, VstInt32 row, VstInt32 kind) {
  return editorPatterns_.getValue(step, row, kind);
}

void APlugin::writeMidiFile(const std::string& path) {
  const VstTimeInfo* info = getTimeInfo(kTimeInfoRequest);
  const double tempo = info ? info->tempo : 0.0;
  const Pattern pattern = editorPatterns_.currentPattern();
  const std::vector<std::uint8_t> bytes = buildMidiFile(pattern, tempo);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("Cannot create file " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void APlugin::process(float**, float**, VstInt32) {}

void APlugin::processReplacing(float**, float** outputs, VstInt32 sampleFrames) {
  if (outputs && sampleFrames > 0)
    for (int channel = 0; channel < 2; ++channel)
      if (outputs[channel]) std::fill_n(outputs[channel], sampleFrames, 0.0f);
  const VstTimeInfo* info = getTimeInfo(kTimeInfoRequest);
  const BlockTiming timing = readBlockTiming(info);
  if (info && std::isfinite(info->sampleRate) && info->sampleRate > 0.0)
    currentSampleRate = info->sampleRate;
  audioPatterns_.beginBlock();
  clock_.playBlock(timing, sampleFrames, audioPatterns_, blockEvents_);
  audioPatterns_.endBlock(clock_.playing());
  // The editor's grid shows the patterns as the editor's side holds them. A
  // MIDI recall that already plays here reaches them a block later: until
  // then the step would be shown over the pattern that no longer plays.
  playingStep_.publish(audioPatterns_.playsUnseenRecall() ? PlayingStep::kNone
                                                          : clock_.currentStep());
  // After the block: a host that calls back into the plug-in from here, or
  // takes its time, finds nothing held.
  if (blockEvents_.size() > 0) sendVstEventsToHost(blockEvents_.asVstEvents());
}

VstInt32 APlugin::getChunk(void** data, bool) {
  editorPatterns_.saveImage(chunkCopy_.get());
  *data = chunkCopy_.get();
  return static_cast<VstInt32>(kChunkSize);
}

VstInt32 APlugin::setChunk(void* data, VstInt32 byteSize, bool) {
  if (!data || byteSize < 0) return 0;
  return editorPatterns_.loadImage(data, static_cast<std::size_t>(byteSize)) ? 1 : 0;
}

void APlugin::updateEditor() {
  if (!editorClosed && editor) editor->update();
}
