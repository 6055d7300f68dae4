// An APlugin in this process, with a host callback that answers the
// transport from `time` and keeps every event list the plug-in sends.
#pragma once

#include <memory>
#include <vector>

#include "engine/APlugin.h"

struct SentList {
  int block;
  std::vector<VstMidiEvent> events;
};

class DirectHost {
public:
  // With `EditorKind::bridge` the plug-in is the one the entry point makes,
  // editor bridge included; otherwise the engine alone.
  enum class EditorKind { none, bridge };
  explicit DirectHost(EditorKind editor = EditorKind::none);
  ~DirectHost();
  DirectHost(const DirectHost&) = delete;
  DirectHost& operator=(const DirectHost&) = delete;

  // One processReplacing call; the transport does not move by itself.
  void play(VstInt32 frames);
  std::vector<unsigned char> image();
  bool load(std::vector<unsigned char> image);
  // Closes the plug-in through its dispatcher, which deletes it, as a host
  // does, and makes a fresh one in its place.
  void reopen();

  APlugin& plugin() { return *plugin_; }
  VstTimeInfo time{};
  bool hasTime = true;
  std::vector<SentList> lists;
  int block = 0;

private:
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt);
  std::unique_ptr<APlugin> makePlugin();

  EditorKind editor_;
  std::unique_ptr<APlugin> plugin_;
};

// A playing transport at this position, bars reported as 4/4 bar starts.
VstTimeInfo playingAt(double ppqPos, double tempo = 120.0, double sampleRate = 44100.0);
