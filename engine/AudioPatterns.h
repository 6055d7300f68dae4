// The audio thread's side of the patterns (see PatternChannel.h): its copy,
// brought up to date at the start of each block without waiting, and what
// the step clock plays from it. MIDI recalls that the editor's side has not
// yet carried out play from copies of their own, which never change the
// audio thread's copy of the patterns.
#pragma once

#include <cstdint>

#include "engine/PatternChannel.h"
#include "engine/PlaySource.h"

class AudioPatterns final : public PlaySource {
public:
  // How much catching up one block does at most, in field edits; a pattern
  // copy counts as kCopyCost. What is left waits for the next block, or is
  // replaced by a copy of the editor's model when the ring runs full.
  static constexpr int kBlockBudget = 64;
  static constexpr int kCopyCost = 16;

  explicit AudioPatterns(PatternChannel& channel) : channel_(channel) {}

  // At the start of a block: the editor's changes and the newest MIDI recall.
  void beginBlock() noexcept;
  // At its end: whether the transport ran, which decides how recalls act.
  void endBlock(bool transportPlaying) noexcept;

  const Pattern& playing() const override;
  const Pattern* waiting() const override;
  void takeOver() override;

  // Whether what plays is a MIDI recall that the editor's side has not yet
  // carried out, so that its model still shows the pattern before it.
  bool playsUnseenRecall() const { return static_cast<bool>(midiPlaying_); }

  // The audio thread's copy, as far as it has caught up.
  const PatternReplica& replica() const { return channel_.snapshots.front(); }

private:
  struct MidiRecall {
    int buffer = -1;  // which of midiPatterns_, -1 for none
    std::uint32_t gen = 0;
    explicit operator bool() const { return buffer >= 0; }
  };

  bool switchedOver() const;
  bool waitsInReplica() const;
  void catchUp() noexcept;
  void takeMidiRecall() noexcept;
  void dropAcknowledged() noexcept;
  void announceSwitch(std::uint64_t seq) noexcept;

  PatternChannel& channel_;
  Pattern midiPatterns_[2] = {};
  MidiRecall midiPlaying_;
  MidiRecall midiWaiting_;
  std::uint64_t switchedSeq_ = 0;
  std::uint32_t midiSeen_ = 0;
  bool transportPlaying_ = false;
};
