// The host's simulated transport: where the song stands at each block.
#pragma once

#include "frame/DAEffectX.h"

struct Transport {
  double sampleRate = 44100.0;
  double tempo = 120.0;
  double ppqPos = 0.0;
  double samplePos = 0.0;
  bool playing = true;
  // A host that reports bar starts gives the last 4/4 bar; some report 0 forever.
  bool reportsBarStarts = true;
  // Some hosts have no transport at all and answer null to audioMasterGetTime.
  bool hasTimeInfo = true;

  double barStartPos() const;
  VstTimeInfo timeInfo() const;
  // Moves the song on by one block; a standing transport does not move.
  void advance(VstInt32 frames);
};
