// The host's simulated transport: where the song stands at each block.
//
// As in real hosts, the sample position is the truth: the musical position
// (ppqPos, barStartPos) is worked out from it at every block through the
// tempo map, never accumulated block by block, so it carries the rounding a
// host's arithmetic gives. The tempo map is one tempo from an anchor on;
// changeTempo() starts a new piece of it where the song stands.
#pragma once

#include "frame/DAEffectX.h"

struct Transport {
  double sampleRate = 44100.0;
  // Assigning it directly redraws the whole map at the new tempo (the grid
  // jumps); changeTempo() keeps the song's position.
  double tempo = 120.0;
  double samplePos = 0.0;  // where the next block starts
  bool playing = true;
  // A host that reports bar starts gives the last 4/4 bar; some report 0 forever.
  bool reportsBarStarts = true;
  // Some hosts have no transport at all and answer null to audioMasterGetTime.
  bool hasTimeInfo = true;
  // A loop in quarter notes, active while loopEnd > loopStart: playing into
  // loopEnd goes on at loopStart, within the block (the host splits it there).
  double loopStart = 0.0;
  double loopEnd = 0.0;

  double ppqPos() const;
  double barStartPos() const;
  // The sample at which a musical position lies on the present tempo map.
  double sampleAt(double quarters) const;
  VstTimeInfo timeInfo() const;

  // Jumps to a musical position; the next block starts there exactly.
  void locate(double quarters);
  void changeTempo(double newTempo);
  // How many of the next `frames` frames play before the loop wraps.
  VstInt32 framesBeforeWrap(VstInt32 frames) const;
  // Moves the song on by one block (or the part of it before the loop
  // wraps); a standing transport does not move.
  void advance(VstInt32 frames);

private:
  bool looping() const { return loopEnd > loopStart; }
  // The tempo map: position anchorQuarters lies at sample anchorSample.
  double anchorQuarters_ = 0.0;
  double anchorSample_ = 0.0;
  bool jumped_ = false;         // a locate or loop wrap since the last block
  bool wasPlaying_ = false;     // the play state the plug-in last saw
};
