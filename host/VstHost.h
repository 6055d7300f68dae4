// The substitute host: loads a VST 2 plug-in through its entry point, answers
// its host requests, plays blocks against a simulated transport and records
// every MIDI event the plug-in sends.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "frame/DAEffectX.h"
#include "host/PluginHost.h"
#include "host/Transport.h"

struct ReceivedEvent {
  int block;  // which processReplacing call, from 0 (an index into VstHost::blocks)
  int list;   // which event list within that block, from 0
  VstMidiEvent midi;
};

// One processReplacing call as the plug-in saw it.
struct PlayedBlock {
  double elapsed;  // frames played before it since the host started
  VstInt32 frames;
  VstTimeInfo time;
  bool silent;  // the plug-in left both outputs zero
};

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
};

struct HostAnswers {
  VstIntPtr version = 2400;
  VstIntPtr processEvents = 1;
  std::string vendor = "Quaverlin";
  std::string product = "Substitute Host";
  // Whether an editor's audioMasterSizeWindow is granted; a refused one
  // leaves the window as it was.
  bool sizeWindow = true;
};

class VstHost : public PluginHost {
public:
  // Loads the library and calls its entry point; throws HostError if the
  // library cannot be used or the entry point answers no effect record.
  explicit VstHost(const std::string& pluginPath, HostAnswers answers = {});
  ~VstHost();

  // As PluginHost::start, the transport taking the sample rate.
  void start(double sampleRate, VstInt32 blockSize);
  // One block of `frames` frames, then the transport moves on. A block that
  // runs into the loop's end is played as two processReplacing calls, the
  // second from the loop's start, as hosts that loop sample-exactly do. The
  // outputs are handed over full of noise, as hosts may leave them.
  void processBlock(VstInt32 frames);
  VstIntPtr sendMidi(const std::vector<VstMidiEvent>& events);

  Transport transport;
  HostAnswers answers;
  // Told the size of every granted audioMasterSizeWindow: how the window
  // the editor lies in follows it. Called on the editor's thread.
  std::function<void(int width, int height)> resizeWindow;
  // Written from whichever thread calls back (audio and user interface when
  // an editor is open); read them once the plug-in is quiet.
  std::vector<ReceivedEvent> received;
  std::vector<HostCall> calls;
  std::vector<PlayedBlock> blocks;
  int blocksProcessed() const { return block_; }

private:
  VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) override;
  VstIntPtr answerSizeWindow(VstInt32 width, VstIntPtr height);
  void processCall(VstInt32 frames);

  std::mutex recording_;  // guards the three lists and the block's time info
  VstTimeInfo timeInfo_{};
  int block_ = 0;
  int listInBlock_ = 0;
  double elapsed_ = 0.0;
  std::vector<float> silence_;
  std::vector<float> output_[2];
};

// A MIDI event as hosts deliver them.
VstMidiEvent midiEvent(unsigned char status, unsigned char data1, unsigned char data2,
                       VstInt32 deltaFrames = 0);
