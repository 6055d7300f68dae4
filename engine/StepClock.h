// The step clock: plays the pattern a PlaySource offers against the host's
// transport, one audio block at a time, on the audio thread. It reads the
// patterns and never writes them; what sounds on each row, where the host's
// timeline stands and which steps already fired are its own state, kept from
// block to block. It allocates nothing and calls nobody: the block's events
// go into a BlockEvents that the caller hands to the host.
#pragma once

#include <cstdint>
#include <limits>

#include "engine/BlockEvents.h"
#include "engine/Pattern.h"
#include "engine/PlaySource.h"
#include "frame/DAEffectX.h"

// What a block needs of the host's transport.
struct BlockTiming {
  bool playing = false;
  // A position, tempo and sample rate that a song can have. Without them
  // (no time information, a tempo or rate that is 0, negative or not finite,
  // or a step shorter than one frame) the block is a standing transport.
  bool hasGrid = false;
  double sampleRate = 0.0;
  double ppqPos = 0.0;
  double tempo = 0.0;
  double barStartPos = 0.0;
};

BlockTiming readBlockTiming(const VstTimeInfo* info);

class StepClock {
public:
  // Fills `out` with the block's events in time order: a release of what
  // sounds when the host's position jumped, the steps whose onsets fall into
  // the block, or the stop note-offs once the transport stands. A waiting
  // pattern takes over at the first step that fires, or at the stop.
  void playBlock(const BlockTiming& timing, VstInt32 sampleFrames, PlaySource& source,
                 BlockEvents& out);
  // Whether the last block played with a running transport.
  bool playing() const { return playing_; }
  // The step in whose grid time the last block's last frame lay, or -1 when
  // that block stood or came before the pattern's anchor. It follows the
  // transport, not the shifts that move single rows' notes.
  int currentStep() const { return currentStep_; }

private:
  static constexpr std::int64_t kNeverFired = std::numeric_limits<std::int64_t>::min();

  // One row's note as the clock struck it, and the row's place in the block.
  struct Voice {
    bool sounding = false;
    bool hasSounded = false;   // `channel` names the last sounded note's channel
    std::uint8_t key = 0;
    std::uint8_t channel = 0;
    std::int64_t lastFired = kNeverFired;  // song step of the row's last firing
    VstInt32 struckAt = -1;    // frame of the sounding note's note-on, if in this block
    VstInt32 lastEvent = 0;    // frame of the row's latest event in this block
  };

  // The host's timeline as the clock follows it: frames counted from the
  // position `origin`, so that every step lies at one frame computed one way
  // and a continuous transport hands each frame to exactly one block.
  struct Timeline {
    bool running = false;
    double origin = 0.0;
    double samplesPerBeat = 0.0;  // sampleRate / tempo
    std::int64_t nextBlock = 0;   // where the next block starts, if nothing jumps
  };

  void followTransport(const BlockTiming& timing);
  void scan(const BlockTiming& timing);
  void visit(std::int64_t visitIndex, double pos);
  void fire(int row, VstInt32 onset, int step, const Pattern& playing, const Pattern& from);
  void releaseAll();
  void stop();
  std::int64_t gridFrame(double pos) const;

  Voice voices_[kRows];
  Timeline timeline_;
  bool playing_ = false;
  int currentStep_ = -1;
  bool notesOffSent_ = false;
  // The block being played.
  PlaySource* source_ = nullptr;
  BlockEvents* out_ = nullptr;
  VstInt32 frames_ = 0;
  std::int64_t blockStart_ = 0;
  double anchor_ = 0.0;
  std::int64_t anchorStep_ = 0;  // the anchor's step on the song's grid
};
