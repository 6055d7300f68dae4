// The step clock: plays the current pattern against the host's transport, one
// audio block at a time, on the audio thread. It touches nothing but the
// pattern memory it is given (its caller holds the memory's lock for the
// whole block) and the host's event sending call; it allocates nothing.
#pragma once

#include <cstdint>

#include "engine/PatternMemory.h"
#include "frame/DAudioEffectX.h"

// What a block needs of the host's transport.
struct BlockTiming {
  bool playing = false;
  // A position, tempo and sample rate that a song can have. Without them
  // (no time information, a tempo or rate that is 0, negative or not finite,
  // or under one frame per quarter note) the block is a standing transport.
  bool hasGrid = false;
  double sampleRate = 0.0;
  double ppqPos = 0.0;
  double tempo = 0.0;
  double barStartPos = 0.0;
};

BlockTiming readBlockTiming(const VstTimeInfo* info);

// A row's firing at the step being visited. Offsets are frames within the
// block, as wide as the block itself.
struct RowTrigger {
  bool fires = false;
  VstInt32 offset = 0;
};

class StepClock {
public:
  StepClock(PatternMemory& memory, AudioEffectX& host) : memory_(memory), host_(host) {}

  // Forms and sends the events of the steps whose onsets fall into the block,
  // or the stop note-offs once the transport stands, and completes a
  // pending pattern switch.
  //
  // The steps are visited from the pattern's anchor, as the grid walk
  // defines them. A host that never reports bar starts leaves the anchor at
  // the start of the song, so the walk grows with the song; the clock visits
  // only the steps that can fire in this block and the last visit of each
  // step (whose onset marks stay in the pattern), and arrives at the same
  // events, lists and pattern bytes as the whole walk.
  void playBlock(const BlockTiming& timing, VstInt32 sampleFrames);

private:
  int scan(const BlockTiming& timing);
  void visitSteps(std::int64_t from, std::int64_t to);
  void visit(int step, double pos);
  void buildStepEvents(int step);

  PatternMemory& memory_;
  AudioEffectX& host_;
  RowTrigger triggers_[kRows];
  bool playing_ = false;
  bool firedInBlock_ = false;
  VstInt32 frames_ = 0;
  double anchor_ = 0.0;
  double ppqPos_ = 0.0;
  double samplesPerBeat_ = 0.0;  // sampleRate / tempo
};
