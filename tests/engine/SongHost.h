// An APlugin played block by block against a transport that works its song
// position out of a sample counter, as hosts do, keeping what each block sent.
#pragma once

#include <string>
#include <vector>

#include "tests/engine/DirectHost.h"
#include "tests/engine/SampleTransport.h"

class SongHost {
public:
  // One block: its events, in the order the host received them.
  std::vector<VstMidiEvent> play(VstInt32 frames, float** outputs = nullptr);
  // Plays on in blocks of `frames` until the next block would start at
  // `songFrame` (which must lie ahead on a block boundary of that size or
  // not), with a shorter last block to land on it exactly.
  void playTo(std::int64_t songFrame, VstInt32 frames = 512);
  void set(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
    host.plugin().setPatternValue(step, row, value, kind);
  }

  DirectHost host;
  SampleTransport transport;
  bool playing = true;
  int listsInLastBlock = 0;
};

// "90 3B 7F @12, 80 3B 00 @40"
std::string show(const std::vector<VstMidiEvent>& events);
