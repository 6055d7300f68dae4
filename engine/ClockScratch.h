// Runs the step clock, which still plays from a PatternMemory of its own
// marks, from a PlaySource: before each block the playing and the waiting
// pattern's cells and rows go into the clock's memory, its marks stay; a
// switch the clock makes is handed back to the source.
#pragma once

#include <memory>

#include "engine/PlaySource.h"
#include "engine/StepClock.h"

class ClockScratch {
public:
  ClockScratch() : memory_(std::make_unique<PatternMemory>()) {}
  void playBlock(PlaySource& source, AudioEffectX& host, const BlockTiming& timing, VstInt32 frames);

private:
  std::unique_ptr<PatternMemory> memory_;
};
